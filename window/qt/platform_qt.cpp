#include "window/qt/platform_qt.h"

#include <QMessageBox>
#include <QMetaObject>
#include <QString>
#include <QWidget>
#include <QWindow>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace idrovela::window::qt {

void WindowOnTop::SetAlwaysOnTop(bool onTop) {
#ifdef Q_OS_WIN
    // Insert after HWND_TOPMOST (-1) or HWND_NOTOPMOST (-2); SWP_NOSIZE | SWP_NOMOVE (3) keeps
    // the position and the size, and SWP_NOACTIVATE leaves the focus where the user has it, as
    // every window of the program is set in turn. The result is not examined: a failure leaves
    // the window as it was.
    SetWindowPos(reinterpret_cast<HWND>(window_.winId()), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0,
                 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
#else
    if (QWindow* handle = window_.windowHandle()) {
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
    }
#endif
}

void ShowErrorMessageBox(QWidget* parent, const RuntimeError& error) {
    const QString text =
        QStringLiteral("Run-time error '%1':\n\n%2")
            .arg(error.number())
            .arg(QString::fromUtf8(error.description().data(),
                                   static_cast<qsizetype>(error.description().size())));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Idrovela"), text, QMessageBox::Ok,
                    parent);
    if (parent != nullptr) {
        box.setFont(parent->font());  // a window of its own does not take its parent's font
    }
    box.exec();
}

void QueuedErrorReporter::ReportError(const RuntimeError& error) {
    ++reported_;
    QMetaObject::invokeMethod(
        &window_, [this, error] { messageBox_(&window_, error); }, Qt::QueuedConnection);
}

}  // namespace idrovela::window::qt
