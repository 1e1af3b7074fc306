// Shared set-up of the main window's tests: every test runs in a fresh
// temporary working folder (where master files go) with its own settings
// file, and modal boxes are answered through a timer.
#pragma once

#include "Unit1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A message box seen by AnswerModal.
struct SeenBox {
    QString title;
    QString text;
};

// Watches for modal boxes until stopped; each one is recorded and closed
// with its default/OK or the given button text.
class ModalAnswerer {
public:
    explicit ModalAnswerer(QString buttonText = QString()) : buttonText_(std::move(buttonText)) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    const std::vector<SeenBox>& Seen() const { return seen_; }

private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        seen_.push_back({box->windowTitle(), box->text()});
        QAbstractButton* button = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            if (!buttonText_.isEmpty() && b->text().remove('&') == buttonText_) {
                button = b;
            }
        }
        if (!button) {
            button = box->defaultButton() ? static_cast<QAbstractButton*>(box->defaultButton())
                                          : box->buttons().value(0);
        }
        if (button) {
            button->click();
        } else {
            box->reject();
        }
    }
    QString buttonText_;
    QTimer timer_;
    std::vector<SeenBox> seen_;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(work_.isValid());
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(work_.path());
        TForm1::SetSettingsPath(SettingsFile());
    }
    void TearDown() override {
        form_.reset();
        QDir::setCurrent(previousDir_);
        TForm1::SetSettingsPath(QString());
    }

    QString WorkDir() const { return work_.path(); }
    QString SettingsFile() const { return work_.filePath("Slipr.ini"); }

    // Creates the window (running start-up) and shows it.
    TForm1& Start(const std::vector<std::string>& arguments = {}) {
        form_ = std::make_unique<TForm1>(arguments);
        form_->show();
        form_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        return *form_;
    }
    TForm1& Form() { return *form_; }
    // Closes the window as the user would (close check, close sequence).
    void CloseWindow() {
        form_->close();
        QApplication::processEvents();
    }

    std::unique_ptr<TForm1> form_;

private:
    QTemporaryDir work_;
    QString previousDir_;
};
