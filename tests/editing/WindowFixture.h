// A main window in a temporary working folder for the widget tests of the
// clipboard and export commands, and a watcher that answers modal windows.
#pragma once

#include "Unit1.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

// Hands each modal window that appears to the next handler in line. A
// handler closes its window; one it leaves open, or one that appears with no
// handler left, is rejected so that a test never hangs.
class ModalHandlers {
public:
    using Handler = std::function<void(QWidget*)>;
    ModalHandlers() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    void Then(Handler handler) { handlers_.push_back(std::move(handler)); }
    int Handled() const { return handled_; }
    int Unexpected() const { return unexpected_; }

private:
    // The handler runs outside the timer's own call, so that a window it
    // opens in turn is seen by the next poll.
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || pending_) {
            return;
        }
        pending_ = true;
        QTimer::singleShot(0, modal, [this, modal] {
            pending_ = false;
            if (QApplication::activeModalWidget() != modal) {
                return;
            }
            if (handlers_.empty()) {
                ++unexpected_;
            } else {
                Handler handler = std::move(handlers_.front());
                handlers_.pop_front();
                ++handled_;
                handler(modal);
            }
            auto* dialog = qobject_cast<QDialog*>(modal);
            if (dialog != nullptr && dialog->isVisible()) {
                dialog->reject();
            }
        });
    }
    QTimer timer_;
    std::deque<Handler> handlers_;
    int handled_ = 0;
    int unexpected_ = 0;
    bool pending_ = false;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(work_.isValid());
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(work_.path());
        TForm1::SetSettingsPath(work_.filePath("Slipr.ini"));
        form_ = std::make_unique<TForm1>();
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }
    void TearDown() override {
        form_.reset();
        QDir::setCurrent(previousDir_);
        TForm1::SetSettingsPath(QString());
    }
    TForm1& Form() { return *form_; }
    QString WorkPath(const QString& name) const { return work_.filePath(name); }

private:
    QTemporaryDir work_;
    QString previousDir_;
    std::unique_ptr<TForm1> form_;
};
