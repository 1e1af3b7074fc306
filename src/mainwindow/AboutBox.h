// The about box: program name, version, a notice, the web address and a
// short description; shown modally from ヘルプ > バージョン情報.
#pragma once

#include <QDialog>
#include <QLabel>

#include <functional>

class QFrame;
class QPushButton;

// A label that reports double clicks.
class TClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> OnDblClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // The project's web address shown in the box.
    static const char* const WebAddress;

    explicit TAboutBox(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    TClickLabel* Label2 = nullptr;
    QLabel* Comments = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* OKButton = nullptr;

public slots:
    // Hands the address to the desktop, which opens it in the web browser.
    void Label2DblClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
};
