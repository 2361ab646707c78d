// The yardstick of the start-up measurement (bench/startup.sh): a bare Qt Widgets window of the
// main window's size, with a menu bar and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.resize(382, 325);
    window.show();
    return QApplication::exec();
}
