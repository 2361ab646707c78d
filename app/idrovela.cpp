// idrovela: the desktop window.

#include <QApplication>

#include "window/qt/main_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    idrovela::window::qt::MainWindow window;
    window.Start();
    window.show();
    return QApplication::exec();
}
