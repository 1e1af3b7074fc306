// The main window's print commands: enabled, the print dialog for every
// print kind (cancelled here, so nothing is printed and the window keeps its
// texts), and the custom print placeholder window.
#include "AppSettings.h"
#include "Cp932.h"
#include "IssueDialog.h"
#include "Issuing.h"
#include "QtApp.h"
#include "Unit1.h"
#include "Unit6.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
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

TEST_F(PrintCommands, PreviewShowsEachKind) {
    EXPECT_EQ(form_->Preview1->title(), QString::fromUtf8("印刷プレビュー"));
    EXPECT_TRUE(form_->Print1->actions().contains(form_->Preview1->menuAction()));
    const std::vector<std::pair<QAction*, int>> items{{form_->PreviewNouhin, 1},
                                                      {form_->PreviewSeikyu, 1},
                                                      {form_->PreviewNouhinh, 1},
                                                      {form_->PreviewAll, 3}};
    for (const auto& [item, pages] : items) {
        int shown = -1;
        const int seen =
            WithModal([&] { item->trigger(); },
                      [&](QWidget* modal) {
                          if (qobject_cast<QPrintPreviewDialog*>(modal)) {
                              shown = modal->findChild<QPrintPreviewWidget*>()->pageCount();
                          }
                      });
        EXPECT_EQ(seen, 1) << item->text().toStdString();
        EXPECT_EQ(shown, pages) << item->text().toStdString();
    }
}

TEST_F(PrintCommands, IssuePdfWritesTheNoteAndRemembersTheFolder) {
    EXPECT_EQ(form_->IssuePdf->text(), QString::fromUtf8("PDFで発行…"));
    EXPECT_TRUE(form_->File1->actions().contains(form_->IssuePdf));
    const QString folder = work_.filePath("issued");
    ASSERT_TRUE(QDir().mkpath(folder));
    form_->Edit1->setText(QString::fromUtf8("令和8年12月9日"));
    form_->Edit2->setText(QString::fromUtf8("山田"));
    form_->Edit10->setText("2100");
    form_->Edit16->setText("0001");

    auto issue = [&](const QString& typed, int kindIndex, QString& offered) {
        return WithModal([&] { form_->IssuePdf->trigger(); },
                         [&](QWidget* modal) {
                             auto* dialog = dynamic_cast<IssueDialog*>(modal);
                             if (dialog == nullptr) {
                                 return;
                             }
                             offered = dialog->FolderEdit->text();
                             if (!typed.isEmpty()) {
                                 dialog->FolderEdit->setText(typed);
                             }
                             dialog->KindBox->setCurrentIndex(kindIndex);
                             dialog->IssueButton->click();
                         });
    };
    QString offered;
    EXPECT_EQ(issue(folder, 0, offered), 1);
    EXPECT_TRUE(offered.isEmpty());
    const QString first = folder + "/20261209_山田_2100_0001.pdf";
    EXPECT_TRUE(QFile::exists(first));
    EXPECT_EQ(QString::fromStdString(cp932::ToUtf8(form_->Status())),
              first + QString::fromUtf8("を発行しました"));
    EXPECT_EQ(appsettings::ReadIssueFolder(TForm1::SettingsPath()), folder);

    // The second time the folder is offered again; an invoice of the same
    // note gets a name of its own.
    EXPECT_EQ(issue(QString(), 2, offered), 1);
    EXPECT_EQ(offered, folder);
    EXPECT_TRUE(QFile::exists(folder + "/20261209_山田_2100_0001-2.pdf"));
    QFile index(folder + "/" + QString::fromStdString(issuing::IndexFileName()));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QString lines = QString::fromUtf8(index.readAll());
    EXPECT_TRUE(lines.contains(QString::fromUtf8(",納品書,20261209_山田_2100_0001.pdf\r\n")));
    EXPECT_TRUE(lines.contains(QString::fromUtf8(",請求書,20261209_山田_2100_0001-2.pdf\r\n")));

    // Cancelled: nothing written.
    WithModal([&] { form_->IssuePdf->trigger(); }, [](QWidget*) {});
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3);
}
