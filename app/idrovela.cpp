// idrovela: the desktop window, with its tool windows.

#include <QApplication>

#include "tools/qt/tool_windows.h"
#include "window/qt/main_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    idrovela::window::qt::MainWindow window;
    const idrovela::tools::qt::ToolWindows tools(window);
    window.Start();
    window.show();
    return QApplication::exec();
}
