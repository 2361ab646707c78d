// The circuit guide through the real windows: F1 and the «?» menus open it, one window for the
// program, remembered where the user put it, closed by Escape; and it names every key of the
// circuit window's menus as the menus show them.

#include <QAbstractItemView>
#include <QAction>
#include <QDialog>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "sheet/circuit_guide.h"
#include "tests/sheet/qt/circuit_fixture.h"
#include "text/version.h"
#include "window/qt/qt_italian.h"

namespace idrovela::sheet::qt::test {
namespace {

using CircuitHelpTest = CircuitWindowTest;

QStringList Texts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* entry : menu.actions()) {
        texts << entry->text();
    }
    return texts;
}

// Every key of the menus of `menus`, submenus included, as the menus show them.
QStringList MenuKeys(const QMenuBar& menus) {
    QStringList keys;
    std::function<void(const QMenu&)> read = [&](const QMenu& menu) {
        for (const QAction* entry : menu.actions()) {
            if (entry->menu() != nullptr) {
                read(*entry->menu());
            }
            for (const QKeySequence& key : entry->shortcuts()) {
                keys << key.toString(QKeySequence::NativeText);
            }
        }
    };
    for (const QAction* title : menus.actions()) {
        if (title->menu() != nullptr) {
            read(*title->menu());
        }
    }
    return keys;
}

TEST_F(CircuitHelpTest, TheGuideNamesEveryKeyOfTheCircuitWindowsMenus) {
    const window::qt::QtTextsInItalian italian;
    ASSERT_TRUE(italian.Installed()) << "install the Debian package qt6-translations-l10n";
    CircuitWindow& circuit = *circuits.NewCircuit();
    QStringList keys = MenuKeys(*circuit.menuBar());
    // The sheet's own: the platform's edit key opens a cell.
    if (circuit.Sheet().editTriggers().testFlag(QAbstractItemView::EditKeyPressed)) {
        keys << QKeySequence(Qt::Key_F2).toString(QKeySequence::NativeText);
    }
    // Read in Italian, as the menus show them.
    ASSERT_TRUE(keys.contains("Shift+Canc")) << keys.join(' ').toStdString();
    ASSERT_TRUE(keys.contains("F1")) << keys.join(' ').toStdString();
    const QString guide = QString::fromUtf8(CircuitGuideHtml().data(),
                                            static_cast<qsizetype>(CircuitGuideHtml().size()));
    QStringList missing;
    for (const QString& key : keys) {
        if (!guide.contains("<kbd>" + key + "</kbd>")) {
            missing << key;
        }
    }
    EXPECT_EQ(missing.join(QStringLiteral(", ")).toStdString(), "");
}

TEST_F(CircuitHelpTest, F1AndTheMenusOpenOneGuideWhereTheUserPutIt) {
    QSettings settings(folder.filePath("idrovela.conf"), QSettings::IniFormat);
    window.KeepSettingsIn(&settings);
    CircuitWindow& circuit = *circuits.NewCircuit();
    Activate(circuit);

    QTest::keyClick(&circuit, Qt::Key_F1);
    QPointer<QDialog> guide = circuits.Guide().Window();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_FALSE(guide->isModal());
    EXPECT_EQ(guide->windowTitle(), "Guida ai circuiti");
    EXPECT_TRUE(guide->findChild<QTextBrowser*>()->toPlainText().startsWith("Guida ai circuiti"));

    // The circuit window's «?» menu and the calculator's, under «Guida», bring the same one.
    QStringList titles;
    for (const QAction* title : circuit.menuBar()->actions()) {
        titles << title->text();
    }
    EXPECT_EQ(titles, (QStringList{"&File", "&Modifica", "&?"}));
    EXPECT_EQ(Texts(*circuit.menuBar()->actions().back()->menu()),
              (QStringList{"Guida ai &circuiti", "&Informazioni su Idrovela"}));
    EXPECT_EQ(Texts(window.Menus().Help()),
              (QStringList{"&Guida", "Guida ai &circuiti", "&Informazioni su Idrovela"}));
    {
        // A guide gone takes its entry with it: none is left to a guide that is no more.
        const CircuitGuide gone(window);
        EXPECT_EQ(window.Menus().Help().actions().size(), 4);
    }
    EXPECT_EQ(Texts(window.Menus().Help()),
              (QStringList{"&Guida", "Guida ai &circuiti", "&Informazioni su Idrovela"}));
    circuit.findChild<QAction*>("GuidaCircuiti")->trigger();
    window.Menus().Help().actions().at(1)->trigger();
    EXPECT_EQ(window.findChildren<QDialog*>("GuidaCircuiti").size(), 1);
    EXPECT_EQ(circuits.Guide().Window(), guide);

    // Moved, closed by Escape, and opened again where the user put it.
    guide->move(40, 50);
    guide->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&guide] { return QApplication::activeWindow() == guide; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&guide] { return guide == nullptr; }));
    Activate(circuit);
    QTest::keyClick(&circuit, Qt::Key_F1);
    guide = circuits.Guide().Window();
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->pos(), QPoint(40, 50));
    EXPECT_EQ(settings.value("windows/GuidaCircuiti/pos").toPoint(), QPoint(40, 50));
    guide->close();
    ASSERT_TRUE(QTest::qWaitFor([&guide] { return guide == nullptr; }));
    window.KeepSettingsIn(nullptr);
}

TEST_F(CircuitHelpTest, AboutOpensOverTheCircuitWindow) {
    CircuitWindow& circuit = *circuits.NewCircuit();
    QString text;
    QWidget* over = nullptr;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            over = box->parentWidget();
            box->accept();
        }
    });
    circuit.findChild<QAction*>("Informazioni")->trigger();
    EXPECT_EQ(over, &circuit);
    EXPECT_TRUE(text.contains(QString::fromUtf8(text::ProgramVersion()))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromLatin1(qVersion())));
}

}  // namespace
}  // namespace idrovela::sheet::qt::test
