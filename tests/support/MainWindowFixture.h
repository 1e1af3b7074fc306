// The main window's test fixture: every test runs in a fresh temporary
// working folder (where master files go) with its own settings file. Start()
// creates and shows the window; MainWindowTest starts it before each test.
#pragma once

#include "ModalDriver.h"
#include "Unit1.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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
    QString WorkPath(const QString& name) const { return work_.filePath(name); }
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

class MainWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Start();
    }
};
