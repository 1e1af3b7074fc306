// The main window's print commands: enabled, the print dialog for every
// print kind (cancelled here, so nothing is printed and the window keeps its
// texts), and the custom print placeholder window.
#include "Cp932.h"
#include "QtApp.h"
#include "Unit1.h"
#include "Unit6.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class PrintCommands : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(work_.isValid());
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(work_.path());
        TForm1::SetSettingsPath(work_.filePath("Slipr.ini"));
        form_ = std::make_unique<TForm1>();
    }
    void TearDown() override {
        form_.reset();
        QDir::setCurrent(previousDir_);
        TForm1::SetSettingsPath(QString());
    }

    // Runs `command`; the modal window it opens is handed to `inspect` and
    // closed. Returns the number of modal windows seen.
    int WithModal(const std::function<void()>& command,
                  const std::function<void(QWidget*)>& inspect) {
        int seen = 0;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++seen;
                inspect(modal);
                modal->close();
            }
        });
        poll.start();
        command();
        poll.stop();
        return seen;
    }

    QTemporaryDir work_;
    QString previousDir_;
    std::unique_ptr<TForm1> form_;
};

} // namespace

TEST_F(PrintCommands, EveryPrintCommandIsEnabled) {
    for (QAction* item : {form_->NouhinprnA4, form_->SeikyuprnA4, form_->NouhinhprnA4,
                          form_->AllprnA4, form_->Customprn}) {
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    }
    for (QWidget* control : std::initializer_list<QWidget*>{form_->Button7, form_->Button8,
                                                            form_->Button9, form_->SpeedButton3}) {
        EXPECT_TRUE(control->isEnabled());
    }
}

TEST_F(PrintCommands, PrintCommandsShowThePrintDialogAndCancelPrintsNothing) {
    form_->Edit2->setText(QString::fromUtf8("山田"));
    const QString before = form_->Edit2->text();
    const std::vector<std::function<void()>> commands{
        [&] { form_->NouhinprnA4->trigger(); },  [&] { form_->SeikyuprnA4->trigger(); },
        [&] { form_->NouhinhprnA4->trigger(); }, [&] { form_->AllprnA4->trigger(); },
        [&] { form_->Button7->click(); },        [&] { form_->Button8->click(); },
        [&] { form_->Button9->click(); },        [&] { form_->SpeedButton3->click(); },
    };
    for (size_t i = 0; i < commands.size(); ++i) {
        bool printDialog = false;
        const int seen = WithModal(commands[i], [&](QWidget* modal) {
            printDialog = qobject_cast<QPrintDialog*>(modal) != nullptr;
        });
        EXPECT_EQ(seen, 1) << "command " << i;
        EXPECT_TRUE(printDialog) << "command " << i;
    }
    EXPECT_EQ(form_->Edit2->text(), before);
    EXPECT_TRUE(QDir(work_.path()).entryList({"*.pdf"}, QDir::Files).isEmpty());
}

TEST_F(PrintCommands, CustomPrintShowsThePlaceholderWindow) {
    QString caption;
    QString label;
    const int seen = WithModal([&] { form_->Customprn->trigger(); },
                               [&](QWidget* modal) {
                                   if (auto* form = dynamic_cast<TForm6*>(modal)) {
                                       caption = form->windowTitle();
                                       label = form->Label1->text();
                                   }
                               });
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(caption, QStringLiteral("Custom Print"));
    EXPECT_EQ(label, QString::fromUtf8("追加予定です"));
}
