// ノートリオ: the window program. The first argument names a note to open.
// The desktop entry starts it with --in-data-folder first: the program then
// works in the user's data folder ($XDG_DATA_HOME/notorio, created), where
// the master files of an installed copy live.
#include "InstallPaths.h"
#include "JapaneseFont.h"
#include "QtText.h"
#include "QuestionBox.h"
#include "ScreenFont.h"
#include "Unit1.h"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <exception>
#include <iostream>

namespace {

// Shows an exception that escapes a command in the standard error box and
// lets the program continue.
class NotorioApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            QMessageBox::critical(activeWindow(), qttext::Q("ノートリオ"),
                                  QString::fromLocal8Bit(error.what()));
        } catch (...) {
            QMessageBox::critical(activeWindow(), qttext::Q("ノートリオ"),
                                  qttext::Q("予期しないエラーです"));
        }
        return false;
    }
};

constexpr const char* kDataFolderOption = "--in-data-folder";

void EnterDataFolder() {
    const std::string folder = installpaths::DataFolder(installpaths::FromProcess());
    if (!installpaths::EnterFolder(folder)) {
        std::cerr << "notorio: cannot use the data folder " << folder
                  << "; the master files stay in the current folder\n";
    }
}

// Without a Japanese font every Japanese character is a box: said in the
// status line and, once the window is up, in a message box that repeats it
// in English (which any font shows).
void WarnWithoutJapaneseFont(TForm1& form) {
    if (printing::HaveJapaneseFont()) {
        return;
    }
    const QString package = QString::fromLatin1(printing::kJapaneseFontPackage);
    form.SetStatus(qttext::ToCp932(qttext::Q("日本語フォントがありません (") + package +
                                   qttext::Q(" を入れてください)")));
    const QString text =
        qttext::Q("日本語を表示できるフォントが見つかりません。文字は□で表示され、"
                  "印刷にも出ません。\n\n") +
        "No Japanese font is installed: Japanese text shows as boxes and does not print.\n"
        "Install one and start again:  sudo apt install " +
        package;
    QTimer::singleShot(
        0, &form, [&form, text] { QMessageBox::warning(&form, qttext::Q("ノートリオ"), text); });
}

} // namespace

int main(int argc, char* argv[]) {
    NotorioApplication app(argc, argv);
    // Two waits of the start-up overlap: while the fonts are listed on a
    // second thread, the accessibility bridge connects to the session bus
    // (it would at the window's first widget) and the window makes its
    // icon and menus, which need no font.
    const std::jthread fontDatabase = qttext::ReadFontDatabaseAside();
    QAccessible::isActive();
    QApplication::setApplicationName(qttext::Q("ノートリオ"));
    // The window class the desktop's task bar matches with notorio.desktop.
    QGuiApplication::setDesktopFileName("notorio");
    // The file, print and message dialogs speak Japanese, as the program does.
    qttext::InstallJapaneseTranslation(app);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    if (!arguments.empty() && arguments.front() == kDataFolderOption) {
        arguments.erase(arguments.begin());
        EnterDataFolder();
    }
    try {
        TForm1 form(arguments);
        form.show();
        WarnWithoutJapaneseFont(form);
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, qttext::Q("ノートリオ"),
                              QString::fromLocal8Bit(error.what()));
    }
    return 1;
}
