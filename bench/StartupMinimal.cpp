// The yardstick of the start-up measurement (bench/startup.sh): a minimal
// Qt window with a menu bar and a 21 x 8 table, as small as a program that
// shows a note grid can be.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("minimal");
    QMenu* file = window.menuBar()->addMenu("File");
    file->addAction("Open");
    file->addAction("Quit", &app, &QApplication::quit);
    auto* table = new QTableWidget(21, 8, &window);
    window.setCentralWidget(table);
    window.resize(800, 606);
    window.show();
    return QApplication::exec();
}
