// A main window in a temporary working folder for the widget tests of the
// clipboard and export commands, and a watcher that answers modal windows.
#pragma once

#include "Unit1.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

// Hands each modal window that appears to the next handler in line.
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

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == last_ || handlers_.empty()) {
            return;
        }
        last_ = modal;
        Handler handler = std::move(handlers_.front());
        handlers_.pop_front();
        ++handled_;
        handler(modal);
    }
    QTimer timer_;
    std::deque<Handler> handlers_;
    QWidget* last_ = nullptr;
    int handled_ = 0;
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
