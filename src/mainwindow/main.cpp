// ノートリオ: the window program. The first argument names a note to open.
#include "QtText.h"
#include "Unit1.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

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

} // namespace

int main(int argc, char* argv[]) {
    NotorioApplication app(argc, argv);
    QApplication::setApplicationName(qttext::Q("ノートリオ"));
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    try {
        TForm1 form(arguments);
        form.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, qttext::Q("ノートリオ"),
                              QString::fromLocal8Bit(error.what()));
    }
    return 1;
}
