// The register commands of the main window: each button opens its dialog,
// the result reaches the window's fields, registers and menus, and the
// master file written at close holds it.
#include "DialogTestTools.h"
#include "ModalDriver.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"

#include "Cp932.h"
#include "MasterFile.h"
#include "MemoryWindow.h"
#include "QtText.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using qttext::Q;

namespace {

// The master file as the next start-up reads it.
struct Master {
    NoteContainers note;
    ownerlist issuers;
    customerlist customers;
    wordlist words1, words2, words3;
    bool read = false;
};

class RegisterWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(work_.isValid());
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(work_.path());
        TForm1::SetSettingsPath(work_.filePath("Slipr.ini"));
        form_ = std::make_unique<TForm1>();
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }
    void TearDown() override {
        form_.reset();
        QDir::setCurrent(previousDir_);
        TForm1::SetSettingsPath(QString());
    }

    TForm1& Form() { return *form_; }

    // Closes the window; the close question, asked when the test changed the
    // note's fields, is answered キャンセル (close without saving the note).
    Master CloseAndReadMaster() {
        ModalAnswerer closing(Q("キャンセル"));
        form_->close();
        QApplication::processEvents();
        Master m;
        MemoryWindow messages;
        m.read = masterfile::ReadMasterFile(work_.filePath("master.xml").toStdString(), m.note,
                                            m.issuers, m.customers, m.words1, m.words2, m.words3,
                                            messages);
        return m;
    }

    ModalDriver driver;

private:
    QTemporaryDir work_;
    QString previousDir_;
    std::unique_ptr<TForm1> form_;
};

} // namespace

TEST_F(RegisterWindow, IssuerAddedOnOpeningAndChosenReachesFieldsAndMasterFile) {
    ASSERT_TRUE(Form().Button4->isEnabled());
    ASSERT_TRUE(Form().Ownerconfig->isEnabled());
    const size_t before = Form().Data.owner_ma_lo.size();
    ASSERT_GE(before, 1u) << "start-up installs a sample issuer";
    Form().Edit6->setText(Q("新しい作成者"));
    Form().Edit7->setText("03-0000-0000");

    driver.Answer(QMessageBox::Yes);
    driver.On<TForm2>(
        [](TForm2& d) {
            EXPECT_EQ(d.windowTitle(), "Owner");
            dialogtest::Retype(d.ComboBox1->lineEdit(), Q("新しい作成者"));
        },
        [](TForm2& d) { return d.Activated(); });
    driver.Close<TForm2>();
    QTest::mouseClick(Form().Button4, Qt::LeftButton);

    ASSERT_TRUE(driver.Finished());
    ASSERT_EQ(Form().Data.owner_ma_lo.size(), before + 1);
    EXPECT_EQ(Form().Data.int_owner_no, static_cast<int>(before));
    EXPECT_EQ(Form().Edit6->text(), Q("新しい作成者"));
    EXPECT_EQ(Form().Edit7->text(), "03-0000-0000");
    EXPECT_EQ(Form().Edit4->text(), qttext::FromCp932(Form().Data.owner_ma_lo[0].address))
        << "the other fields were taken from the window, which showed the sample";

    const Master m = CloseAndReadMaster();
    ASSERT_TRUE(m.read);
    ASSERT_EQ(m.issuers.size(), before + 1);
    EXPECT_EQ(m.issuers.back().name, S("新しい作成者"));
    EXPECT_EQ(m.note.int_owner_no, static_cast<int>(before));
}

TEST_F(RegisterWindow, CustomerMenuCommandShowsTheChosenNameOnly) {
    Form().Edit2->setText(Q("山田商店"));
    Form().Edit18->setText(Q("御中"));

    driver.Answer(QMessageBox::Yes);
    driver.On<TForm3>(
        [](TForm3& d) {
            EXPECT_EQ(d.windowTitle(), "Customer");
            EXPECT_EQ(d.ComboBox1->currentText(), Q("山田商店"));
        },
        [](TForm3& d) { return d.Activated(); });
    driver.Close<TForm3>();
    Form().Customerlist->trigger();

    ASSERT_TRUE(driver.Finished());
    const customerlist& customers = Form().Data.customer_ma_lo;
    ASSERT_GE(customers.size(), 2u);
    EXPECT_EQ(customers.back(), customer(S("山田商店"), "XX", "XXX-XXXX", "XX", "XX", "XX@XX", 0));
    EXPECT_EQ(Form().Data.int_customer_no, static_cast<int>(customers.size()) - 1)
        << "the customer just added is the chosen one";
    EXPECT_EQ(Form().Edit2->text(), Q("山田商店")) << "what the user typed stays";
    EXPECT_EQ(Form().Edit18->text(), Q("御中"));

    const Master m = CloseAndReadMaster();
    ASSERT_TRUE(m.read);
    EXPECT_EQ(m.customers, customers);
}

TEST_F(RegisterWindow, ProductListEmptiedReachesMenuAndMasterFile) {
    driver.On<TForm4>([](TForm4& d) {
        EXPECT_EQ(d.windowTitle(), "Goods");
        QListWidget* list = d.ListBox1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(0)).center());
        EXPECT_EQ(d.ActiveList(), 1);
        for (int words = list->count(); words > 0; --words) {
            QTest::mouseClick(d.Button3, Qt::LeftButton);
        }
        EXPECT_EQ(list->count(), 0);
        dialogtest::Commit(d.Edit3, Q("ケース"));
        QTest::mouseClick(d.Button1, Qt::LeftButton);
    });
    driver.Close<TForm4>();
    QTest::mouseClick(Form().Button6, Qt::LeftButton);

    ASSERT_TRUE(driver.Finished());
    EXPECT_TRUE(Form().Data.menuitem1.empty());
    ASSERT_EQ(Form().PopupMenu1->actions().size(), 5) << "fixed items and the separator";
    EXPECT_TRUE(Form().PopupMenu1->actions().last()->isSeparator());
    EXPECT_EQ(Form().PopupMenu3->actions().last()->text(), Q("ケース"));

    const Master m = CloseAndReadMaster();
    ASSERT_TRUE(m.read);
    EXPECT_TRUE(m.words1.empty());
    EXPECT_EQ(m.words3.back(), S("ケース"));
}
