// The pipe table's exports are written as every file of the program: whole over an old file, or
// not at all, with a warning in the program's words for why.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "tests/window/qt/window_fixture.h"
#include "tools/qt/pipe_table_window.h"
#include "tools/qt/tool_windows.h"

namespace idrovela::tools::qt {
namespace {

class PipeTableExports : public window::qt::test::MainWindowTest {
  protected:
    PipeTableWindow& Open() {
        for (QAction* action : window.ToolsMenu().actions()) {
            if (action->objectName() == "TubiCommerciali") {
                action->trigger();
            }
        }
        return *window.findChild<PipeTableWindow*>("TubiCommerciali");
    }
    // The text of the warning `act` opens, closed at once; empty when none opens.
    static QString WarningOf(const std::function<void()>& act) {
        QString text;
        // Stopped when this returns: a warning that never came closes no later one.
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &timer, [&text] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->close();
            }
        });
        timer.start(0);
        act();
        return text;
    }
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    ToolWindows tools{window};
    QTemporaryDir folder;
};

TEST_F(PipeTableExports, AreWrittenWholeOrSayWhyNot) {
    PipeTableWindow& pipes = Open();
    const QString csv = folder.filePath("tubi.csv");
    const QString pdf = folder.filePath("tubi.pdf");
    for (const QString& path : {csv, pdf}) {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("vecchio");
    }
    EXPECT_EQ(WarningOf([&] { pipes.ExportCsv(csv); }), "");
    EXPECT_EQ(WarningOf([&] { pipes.SavePdf(pdf); }), "");
    EXPECT_TRUE(Bytes(csv).startsWith("\xEF\xBB\xBFSerie;"));
    EXPECT_TRUE(Bytes(pdf).startsWith("%PDF-"));

    const QString missing = folder.filePath("manca/tubi.csv");
    EXPECT_EQ(WarningOf([&] { pipes.ExportCsv(missing); }),
              "Impossibile scrivere " + missing + ": la cartella non esiste");
    EXPECT_EQ(WarningOf([&] { pipes.SavePdf(folder.path()); }),
              "Impossibile scrivere " + folder.path() +
                  QString::fromUtf8(": è una cartella, non un file"));
    EXPECT_FALSE(QFile::exists(missing));
}

}  // namespace
}  // namespace idrovela::tools::qt
