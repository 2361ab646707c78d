// The menu bar, the names the window gives its controls, and the figures it copies.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QTextBrowser>
#include <QTimer>

#include "tests/window/qt/window_fixture.h"
#include "text/version.h"
#include "window/controls.h"

namespace idrovela::window::qt {
namespace {

using Menus = test::MainWindowTest;

QAction& Action(QWidget& window, const char* name) {
    auto* action = window.findChild<QAction*>(name);
    if (action == nullptr) {
        throw std::runtime_error(std::string("no action ") + name);
    }
    return *action;
}

TEST_F(Menus, EveryMenuAndItemHasItsMnemonicAndShortcut) {
    QStringList titles;
    for (QAction* menu : window.menuBar()->actions()) {
        titles << menu->text();
    }
    EXPECT_EQ(titles, (QStringList{"&File", "&Strumenti", "&?"}));
    EXPECT_EQ(Action(window, "CopiaValori").shortcut(), QKeySequence("Ctrl+Shift+C"));
    EXPECT_EQ(Action(window, "Esci").shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(Action(window, "Guida").shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(Action(window, "Informazioni").text(), "&Informazioni su Idrovela");
}

TEST_F(Menus, CopyPutsTheFiguresOnTheClipboardForASpreadsheetAndADocument) {
    TypeOver("Text_dT", "7");
    Action(window, "CopiaValori").trigger();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text(),
              QString::fromUtf8("Diametro [mm]\t37\nMisura nominale [pollici]\t1\"1/2\n"
                                "P [kW]\t116\ndT [°C]\t7\nG [litri/h]\t9976\nw [m/s]\t2,58\n"
                                "Y [Pa]\t595\nMateriale Tubazione\tAcciaio Nuovi\n"
                                "Epsilon\t0,045\nLiquido\tAcqua 20°C\nµ\t1,000\nRho\t998,2\n"
                                "Modo di calcolo\tCalcola la perdita di carico\n"));
    EXPECT_TRUE(copied->hasHtml());
    EXPECT_TRUE(copied->html().contains(QString::fromUtf8("<th align=\"left\">dT [°C]</th>")));
}

TEST_F(Menus, HelpOpensOneWindowBesideTheMainOne) {
    Action(window, "Guida").trigger();
    Action(window, "Guida").trigger();
    const auto dialogs = window.findChildren<QDialog*>("Guida");
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_TRUE(dialogs.front()->isVisible());
    EXPECT_FALSE(dialogs.front()->isModal());
    const QString text = dialogs.front()->findChild<QTextBrowser*>()->toPlainText();
    EXPECT_TRUE(text.contains("formule di riferimento proprie del programma"));
    dialogs.front()->close();
}

TEST_F(Menus, AboutShowsTheVersionTheLicenceAndQt) {
    QString text;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    Action(window, "Informazioni").trigger();
    EXPECT_TRUE(text.contains(QString::fromUtf8(text::ProgramVersion()))) << text.toStdString();
    EXPECT_TRUE(text.contains("MIT"));
    EXPECT_TRUE(text.contains(QString::fromLatin1(qVersion())));
    EXPECT_EQ(Text("Text1"),
              "cliccare qui per informazioni");  // the information line keeps its texts
}

TEST_F(Menus, QuitClosesTheWindow) {
    Action(window, "Esci").trigger();
    EXPECT_FALSE(window.isVisible());
}

// What a screen reader finds: a name for every control that takes the focus, the captions of
// the fields as their names with the labels as buddies, and a tooltip everywhere.
TEST_F(Menus, EveryControlHasANameAndATooltip) {
    for (const ControlDesign& design : kControls) {
        QWidget& widget = Find(design.name.data());
        EXPECT_FALSE(widget.toolTip().isEmpty()) << design.name;
        if (widget.focusPolicy() == Qt::NoFocus) {
            continue;
        }
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
        ASSERT_NE(accessible, nullptr) << design.name;
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty()) << design.name;
    }
    const auto nameOf = [this](const char* name) {
        return QAccessible::queryAccessibleInterface(&Find(name))->text(QAccessible::Name);
    };
    EXPECT_EQ(nameOf("Option_Diametro"), "Calcola il diametro");
    EXPECT_EQ(nameOf("Option_Potenza"), "Calcola portata e potenza");
    EXPECT_EQ(nameOf("Option_Perdita"), "Calcola la perdita di carico");
    EXPECT_EQ(nameOf("Check1"), "Mantieni la finestra in primo piano");
    EXPECT_EQ(nameOf("UpDown_Y"), "Aumenta o diminuisci la perdita di carico");
    EXPECT_EQ(nameOf("Text_Pollici"), "Misura nominale in pollici");
    EXPECT_EQ(nameOf("Text1"), "Informazioni (clic per alternare)");
    EXPECT_EQ(nameOf("Text_D"), "Diametro [mm]");
    EXPECT_EQ(nameOf("Text_Rho"), "Rho");
    EXPECT_EQ(Find<QLabel>("Label3").buddy(), &Find("Text_D"));
    EXPECT_EQ(Find<QLabel>("Label2").buddy(), &Find("Text_Mu"));
}

}  // namespace
}  // namespace idrovela::window::qt
