// ヘルプ and the about box's web address reach the desktop as URLs.
#include "MainWindowFixture.h"

#include "AboutBox.h"
#include "QtText.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>

namespace {

// Takes the URLs the program hands to the desktop instead of opening them.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() {
        for (const char* scheme : {"file", "https"}) {
            QDesktopServices::setUrlHandler(scheme, this, "Open");
        }
    }
    ~UrlCatcher() override {
        for (const char* scheme : {"file", "https"}) {
            QDesktopServices::unsetUrlHandler(scheme);
        }
    }
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened << url; }
};

} // namespace

TEST_F(WindowTest, HelpOpensTheHelpPage) {
    const QString page = WorkDir() + "/help/notorio.html";
    TForm1::SetHelpFile(page);
    TForm1& f = Start();
    UrlCatcher catcher;
    f.N24->trigger();
    TForm1::SetHelpFile(QString());
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl::fromLocalFile(page));
}

TEST_F(WindowTest, HelpPageLiesNextToTheProgramByDefault) {
    EXPECT_EQ(TForm1::HelpFile(), QCoreApplication::applicationDirPath() + "/help/notorio.html");
    // The page shipped with the program is Japanese HTML.
    QFile page(QStringLiteral(NOTORIO_SOURCE_DIR "/doc/help/notorio.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("lang=\"ja\"")));
    EXPECT_TRUE(text.contains(qttext::Q("ノートリオ")));
}

TEST_F(WindowTest, DoubleClickOnTheAddressOpensIt) {
    TForm1& f = Start();
    UrlCatcher catcher;
    QTest::mouseDClick(f.AboutBox->Label2, Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl(QString::fromLatin1(TAboutBox::WebAddress)));
    EXPECT_EQ(catcher.opened[0].host(), "notorio.example");
}

#include "HelpTest.moc"
