// The question of the PDFで発行… command: which kind to issue and into which
// folder.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class IssueDialog : public QDialog {
    Q_OBJECT
public:
    IssueDialog(QWidget* owner, const QString& folder);

    // 0 納品書(控), 1 納品書, 2 請求書 (the print kinds).
    int Kind() const;
    QString Folder() const;

    QComboBox* KindBox = nullptr;
    QLineEdit* FolderEdit = nullptr;
    QPushButton* BrowseButton = nullptr;
    QPushButton* IssueButton = nullptr;

private:
    void Browse();
    void UpdateIssueButton();
};
