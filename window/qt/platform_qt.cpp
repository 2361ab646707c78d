#include "window/qt/platform_qt.h"

#include <QMessageBox>
#include <QMetaObject>
#include <QString>
#include <QWidget>
#include <QWindow>

namespace idrovela::window::qt {

void WindowOnTop::SetAlwaysOnTop(bool onTop) {
    // Qt's own flag on every system: Qt keeps the state when it applies the window's flags again,
    // and on Windows its platform plugin moves the window among the topmost ones in place.
    if (QWindow* handle = window_.windowHandle()) {
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
    }
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
