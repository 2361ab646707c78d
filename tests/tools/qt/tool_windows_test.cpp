// The tool windows beside the real main window: opened from "Strumenti", kept up to date after
// every action of the user, and acting on the window as the user would.

#include "tools/qt/tool_windows.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <map>
#include <sstream>

#include "session/session.h"
#include "tests/window/qt/window_fixture.h"
#include "tools/qt/pipe_table_window.h"
#include "tools/qt/remembered_choices.h"

namespace idrovela::tools::qt {
namespace {

class ToolWindowsTest : public window::qt::test::MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Activate();
    }
    // Opens a tool from the "Strumenti" menu and gives its window.
    QWidget& Open(const char* name) {
        for (QAction* action : window.ToolsMenu().actions()) {
            if (action->objectName() == name) {
                action->trigger();
                return Find(name);
            }
        }
        throw std::runtime_error(std::string("no tool ") + name);
    }
    // Every text a window shows in its labels, one after the other.
    static QString Shown(const QWidget& tool) {
        QStringList texts;
        for (const QLabel* label : tool.findChildren<QLabel*>()) {
            if (label->isVisibleTo(&tool)) {
                texts << label->text();
            }
        }
        return texts.join('|');
    }

    ToolWindows tools{window};
};

TEST_F(ToolWindowsTest, TheToolsMenuOpensEachToolOnceBesideTheWindow) {
    QStringList items;
    for (const QAction* action : window.ToolsMenu().actions()) {
        items << action->text();
    }
    EXPECT_EQ(items, (QStringList{QString::fromUtf8("&Verifica fisica…"),
                                  QString::fromUtf8("&Proprietà del fluido…"),
                                  QString::fromUtf8("&Tubi commerciali…")}));
    QWidget& panel = Open("VerificaFisica");
    Open("VerificaFisica");
    EXPECT_EQ(window.findChildren<QWidget*>("VerificaFisica").size(), 1);
    EXPECT_TRUE(panel.isWindow());
    EXPECT_TRUE(panel.isVisible());
    EXPECT_FALSE(panel.isModal());
    EXPECT_FALSE(panel.frameGeometry().intersects(window.frameGeometry()));
}

// In the tool windows a box the user has not clicked lets the wheel go by; with the focus it
// takes it.
TEST_F(ToolWindowsTest, TheWheelChangesOnlyTheBoxWithTheFocus) {
    QWidget& fluid = Open("ProprietaFluido");
    auto& celsius = *fluid.findChild<QDoubleSpinBox*>("Temperatura");
    auto& kind = *fluid.findChild<QComboBox*>("Fluido");
    QWidget& table = Open("TubiCommerciali");
    auto& series = *table.findChild<QComboBox*>("Serie");
    const double temperature = celsius.value();
    const int fluidIndex = kind.currentIndex();
    const int seriesIndex = series.currentIndex();
    for (QWidget* box : std::initializer_list<QWidget*>{&celsius, &kind, &series}) {
        window::qt::test::RollWheel(*box, -1);
        EXPECT_FALSE(box->hasFocus()) << box->objectName().toStdString();
    }
    EXPECT_EQ(celsius.value(), temperature);
    EXPECT_EQ(kind.currentIndex(), fluidIndex);
    EXPECT_EQ(series.currentIndex(), seriesIndex);

    fluid.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&fluid] { return QApplication::activeWindow() == &fluid; }));
    celsius.setFocus();
    window::qt::test::RollWheel(celsius, 1);
    EXPECT_EQ(celsius.value(), temperature + celsius.singleStep());
    table.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&table] { return QApplication::activeWindow() == &table; }));
    series.setFocus();
    window::qt::test::RollWheel(series, -1);
    EXPECT_EQ(series.currentIndex(), seriesIndex + 1);
}

TEST_F(ToolWindowsTest, ThePhysicsPanelFollowsEveryActionAndNeverOpensABox) {
    const QWidget& panel = Open("VerificaFisica");
    EXPECT_TRUE(Shown(panel).contains("|95187|")) << Shown(panel).toStdString();
    EXPECT_TRUE(Shown(panel).contains("Y calcolata|595"));
    const auto toolTipOf = [&panel](const char* caption) {
        for (const QLabel* label : panel.findChildren<QLabel*>()) {
            if (label->text() == caption) {
                return label->toolTip();
            }
        }
        return QStringLiteral("no label");
    };
    EXPECT_TRUE(toolTipOf("Y calcolata").contains("non è una perdita di carico in Pa/m"));
    EXPECT_EQ(toolTipOf("Perdita di carico"), "");
    TypeOver("Text_D", "40");
    EXPECT_TRUE(Shown(panel).contains("40 mm"));
    Click("Option_Potenza");
    EXPECT_TRUE(Shown(panel).contains("Y obiettivo"));
    EXPECT_TRUE(toolTipOf("Y obiettivo").contains("non è una perdita di carico in Pa/m"));
    Click("Option_FluidoX");
    TypeOver("Text_Rho", "9x");
    EXPECT_TRUE(Shown(panel).contains(QString::fromUtf8("Densità: «9x» non è un numero")));
    EXPECT_TRUE(ShownErrors().empty());
}

TEST_F(ToolWindowsTest, TheFluidDialogAppliesAFluidAsTheUserWould) {
    QWidget& dialog = Open("ProprietaFluido");
    auto& kind = *dialog.findChild<QComboBox*>("Fluido");
    auto& percent = *dialog.findChild<QDoubleSpinBox*>("Concentrazione");
    auto& celsius = *dialog.findChild<QDoubleSpinBox*>("Temperatura");
    auto& apply = *dialog.findChild<QPushButton*>("Applica");
    kind.setCurrentIndex(1);  // ethylene glycol
    percent.setValue(30);
    celsius.setValue(-20);  // frozen in the table
    EXPECT_FALSE(apply.isEnabled());
    EXPECT_TRUE(Shown(dialog).contains(QString::fromUtf8("−10 °C")));
    celsius.setValue(20);
    ASSERT_TRUE(apply.isEnabled());
    EXPECT_TRUE(Shown(dialog).contains(QString::fromUtf8("1045,2 kg/m³")));
    EXPECT_TRUE(Shown(dialog).contains(QString::fromUtf8("Calore specifico|3,645 kJ/(kg·K)")));
    const auto before = Evaluations();
    QTest::mouseClick(&apply, Qt::LeftButton);
    EXPECT_TRUE(Find<QRadioButton>("Option_FluidoX").isChecked());
    EXPECT_TRUE(Field("Text_Rho").isEnabled());
    EXPECT_EQ(Text("Text_Rho"), "1045,2");  // 1045,25 held just below the half
    EXPECT_EQ(Text("Text_Mu"), "2,2");
    EXPECT_EQ(Evaluations(), before + 1);
    EXPECT_TRUE(ShownErrors().empty());
}

// Whatever the dialog says, it keeps its size, its controls keep their height and every message
// wraps within the room kept for it. Once an out-of-range value squashed the spin boxes, clipped
// the message and left the dialog grown.
TEST_F(ToolWindowsTest, TheFluidDialogKeepsItsLayoutWhateverItSays) {
    QWidget& dialog = Open("ProprietaFluido");
    auto& kind = *dialog.findChild<QComboBox*>("Fluido");
    auto& percent = *dialog.findChild<QDoubleSpinBox*>("Concentrazione");
    auto& celsius = *dialog.findChild<QDoubleSpinBox*>("Temperatura");
    auto& message = *dialog.findChild<QLabel*>("Messaggio");
    QCoreApplication::processEvents();
    const QSize size = dialog.size();
    const int boxHeight = celsius.sizeHint().height();

    // A glycol is 10–60 % by volume.
    kind.setCurrentIndex(1);
    EXPECT_EQ(percent.minimum(), 10);
    EXPECT_EQ(percent.maximum(), 60);

    int messages = 0;
    for (const int k : {0, 1, 2}) {
        kind.setCurrentIndex(k);
        for (const double x : {10.0, 12.5, 57.9, 59.9}) {
            percent.setValue(x);
            for (const double t : {-49.9, -34.9, -0.5, 20.0, 99.5, 149.9}) {
                celsius.setValue(t);
                QCoreApplication::processEvents();
                const std::string state = kind.currentText().toStdString() + " " +
                                          std::to_string(x) + " % " + std::to_string(t) + " °C";
                EXPECT_EQ(dialog.size(), size) << state;
                for (const QDoubleSpinBox* box : {&percent, &celsius}) {
                    EXPECT_GE(box->height(), boxHeight) << state;
                }
                EXPECT_LE(message.heightForWidth(message.width()), message.height())
                    << state << ": " << message.text().toStdString();
                messages += message.text().isEmpty() ? 0 : 1;
            }
        }
    }
    EXPECT_GT(messages, 30);
    // Back to a state without a message, it is as it was.
    kind.setCurrentIndex(0);
    celsius.setValue(20);
    QCoreApplication::processEvents();
    EXPECT_TRUE(message.text().isEmpty());
    EXPECT_EQ(dialog.size(), size);
}

// What the session runner prints for a script, as NAME → TEXT for each `text.` line.
std::map<std::string, std::string> SessionTexts(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(session::RunSession(in, out, err), 0) << err.str();
    std::map<std::string, std::string> texts;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("text.", 0) == 0) {
            const std::size_t equals = line.find('=');
            texts[line.substr(5, equals - 5)] = line.substr(equals + 1);
        }
    }
    return texts;
}

TEST_F(ToolWindowsTest, PickingARowPutsItsBoreIntoTheWindowAsTheSessionDoes) {
    QWidget& pipes = Open("TubiCommerciali");
    auto& series = *pipes.findChild<QComboBox*>("Serie");
    EXPECT_EQ(series.currentData().toString(), "acciaio-m");  // "Acciaio Nuovi" is selected
    auto& rows = *pipes.findChild<QTableWidget*>("Tubi");
    ASSERT_EQ(rows.item(4, 0)->text(), "DN 25");
    for (int c = 0; c < rows.columnCount(); ++c) {
        const QTableWidgetItem& header = *rows.horizontalHeaderItem(c);
        EXPECT_EQ(header.toolTip().isEmpty(), header.text() != "Y finestra") << c;
    }
    rows.setFocus();
    rows.setCurrentCell(4, 0);
    QTest::keyClick(&rows, Qt::Key_Return);
    const auto expected = SessionTexts("load\nchoose acciaio-m DN 25\nprint\n");
    for (const char* name : {"Text_D", "Text_V", "Text_Pollici", "Text_Y"}) {
        EXPECT_EQ(Text(name).toStdString(), expected.at(name)) << name;
    }
    EXPECT_EQ(Text("Text_D"), "27");

    // A double click chooses too; the table follows the window.
    rows.scrollToItem(rows.item(5, 0));
    const QPoint cell = rows.visualItemRect(rows.item(5, 0)).center();
    QTest::mouseClick(rows.viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    QMouseEvent twice(QEvent::MouseButtonDblClick, cell, rows.viewport()->mapToGlobal(cell),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(rows.viewport(), &twice);
    EXPECT_EQ(Text("Text_D"), "36");
    EXPECT_EQ(rows.item(5, 3)->text(), Text("Text_Y"));

    // No choosing while the window works the diameter out.
    Click("Option_Diametro");
    rows.setCurrentCell(2, 0);
    QTest::keyClick(&rows, Qt::Key_Return);
    EXPECT_EQ(Text("Text_D"), "36");
    EXPECT_TRUE(Shown(pipes).contains("Calcola il diametro"));
    EXPECT_TRUE(ShownErrors().empty());
}

// A tube chosen in the table: its material is clicked, the table keeps its series, and the panel
// names the tube and works at its bore until the user types another diameter.
TEST_F(ToolWindowsTest, ThePanelWorksAtTheBoreOfTheTubeChosenInTheTable) {
    const QWidget& panel = Open("VerificaFisica");
    QWidget& pipes = Open("TubiCommerciali");
    TypeOver("Text_G", "250");
    auto& series = *pipes.findChild<QComboBox*>("Serie");
    series.setFocus();
    for (int i = 0; i < series.count() && series.currentData().toString() != "pert"; ++i) {
        QTest::keyClick(&series, Qt::Key_Down);
    }
    ASSERT_EQ(series.currentData().toString(), "pert");
    auto& rows = *pipes.findChild<QTableWidget*>("Tubi");
    ASSERT_EQ(rows.item(0, 0)->text(), QString::fromUtf8("12×1,3"));
    const QString tableLoss = rows.item(0, 4)->text();
    rows.setFocus();
    rows.setCurrentCell(0, 0);
    QTest::keyClick(&rows, Qt::Key_Return);

    EXPECT_EQ(Text("Text_D"), "9");
    EXPECT_TRUE(Find<QRadioButton>("Option_Tubo4").isChecked());  // "Polietilene", 0,007 mm
    EXPECT_EQ(series.currentData().toString(), "pert");
    const QString figures = Shown(panel);
    EXPECT_TRUE(figures.contains(QString::fromUtf8("Tubo|12×1,3 (PE-RT per pannelli radianti)|")))
        << figures.toStdString();
    EXPECT_TRUE(figures.contains("Diametro interno|9,4 mm|"));
    EXPECT_TRUE(figures.contains("Perdita di carico|" + tableLoss + " Pa/m|"));

    TypeOver("Text_D", "10");
    EXPECT_FALSE(Shown(panel).contains(QString::fromUtf8("12×1,3")));
    EXPECT_TRUE(Shown(panel).contains("Diametro interno|10 mm|"));
    EXPECT_TRUE(ShownErrors().empty());
}

// "Copia i valori" says what "Altro" is while the window holds what "Applica" wrote.
TEST_F(ToolWindowsTest, CopiedValuesNameTheAppliedFluid) {
    QWidget& dialog = Open("ProprietaFluido");
    dialog.findChild<QComboBox*>("Fluido")->setCurrentIndex(1);  // ethylene glycol
    dialog.findChild<QDoubleSpinBox*>("Concentrazione")->setValue(30);
    dialog.findChild<QDoubleSpinBox*>("Temperatura")->setValue(40);
    QTest::mouseClick(dialog.findChild<QPushButton*>("Applica"), Qt::LeftButton);
    QAction* copy = window.findChild<QAction*>("CopiaValori");
    ASSERT_NE(copy, nullptr);
    copy->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(
        QString::fromUtf8("Liquido\tAltro (glicole etilenico 30 % a 40 °C)\n")))
        << QGuiApplication::clipboard()->text().toStdString();

    TypeOver("Text_Rho", "1000");
    copy->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("Liquido\tAltro\n"));
    EXPECT_TRUE(ShownErrors().empty());
}

TEST_F(ToolWindowsTest, TheLimitsTheMaterialAndTheExports) {
    QWidget& pipes = Open("TubiCommerciali");
    auto& rows = *pipes.findChild<QTableWidget*>("Tubi");
    const auto chosenRow = [&rows] {
        for (int r = 0; r < rows.rowCount(); ++r) {
            if (rows.item(r, 6)->text() == "scelto") {
                return rows.item(r, 0)->text();
            }
        }
        return QString();
    };
    EXPECT_EQ(chosenRow(), "DN 65");
    pipes.findChild<QDoubleSpinBox*>("LimitePerdita")->setValue(500);
    EXPECT_EQ(chosenRow(), "DN 65");  // DN 50 runs at 1,25 m/s
    pipes.findChild<QDoubleSpinBox*>("LimiteVelocita")->setValue(1.5);
    EXPECT_EQ(chosenRow(), "DN 50");
    EXPECT_FALSE(rows.item(0, 0)->font().bold());
    Click("Option_Tubo1");
    EXPECT_EQ(pipes.findChild<QComboBox*>("Serie")->currentData().toString(), "rame");
    EXPECT_EQ(chosenRow(), QString::fromUtf8("54×2"));

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString csv = folder.filePath("tubi.csv");
    const QString pdf = folder.filePath("tubi.pdf");
    static_cast<PipeTableWindow&>(pipes).ExportCsv(csv);
    static_cast<PipeTableWindow&>(pipes).SavePdf(pdf);
    QFile csvFile(csv);
    ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = csvFile.readAll();
    const QString text = QString::fromUtf8(bytes);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFSerie;Rame EN 1057\nPortata G [litri/h];9976\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("\n54×2;50,0;1,41;145;387,9;turbolento;scelto\n")))
        << text.toStdString();
    QFile pdfFile(pdf);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.read(5) == "%PDF-");
    EXPECT_GT(pdfFile.size(), 1000);
}

// Every window of the program beside the main one: none covers the main window, each lies on the
// screen, and Escape closes each, wherever its focus is.
TEST_F(ToolWindowsTest, EveryWindowOpensBesideTheMainOneAndEscapeClosesIt) {
    window.move(0, 0);
    const QRect screen = window.screen()->availableGeometry();
    std::vector<QPointer<QWidget>> opened{&Open("VerificaFisica"), &Open("TubiCommerciali"),
                                          &Open("ProprietaFluido")};
    window.Menus().ShowHelp();
    opened.emplace_back(&Find("Guida"));  // deleted once closed
    for (QWidget* tool : opened) {
        SCOPED_TRACE(tool->objectName().toStdString());
        EXPECT_TRUE(tool->isVisible());
        EXPECT_FALSE(tool->frameGeometry().intersects(window.frameGeometry()));
        EXPECT_TRUE(screen.contains(tool->frameGeometry()));
    }
    // The focus in a control of the window, or on the window itself where none takes it.
    for (const QPointer<QWidget>& tool : opened) {
        SCOPED_TRACE(tool->objectName().toStdString());
        tool->activateWindow();
        // A tool window counts as active with the main window: wait until it is so itself.
        ASSERT_TRUE(QTest::qWaitFor([&tool] { return QApplication::activeWindow() == tool; }));
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr && focus->window() == tool ? focus : tool.data(),
                        Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_FALSE(tool != nullptr && tool->isVisible());
    }
    EXPECT_TRUE(window.isVisible());
}

// The tests run with XDG_CONFIG_HOME in the build tree: whatever the tools do, nothing lands
// where the user's settings would be.
TEST_F(ToolWindowsTest, WithoutSettingsNothingIsReadOrWritten) {
    auto& pipes = static_cast<PipeTableWindow&>(Open("TubiCommerciali"));
    pipes.findChild<QDoubleSpinBox*>("LimitePerdita")->setValue(150);
    pipes.move(pipes.pos() + QPoint(10, 10));
    Open("ProprietaFluido").findChild<QDoubleSpinBox*>("Temperatura")->setValue(40);
    pipes.close();
    // The program's own settings, in a file on Linux and in the registry on Windows.
    const QSettings user(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("idrovela"),
                         QStringLiteral("idrovela"));
    EXPECT_TRUE(user.allKeys().isEmpty()) << user.fileName().toStdString();
#ifndef _WIN32
    // Nor anything else: on Windows this folder is everyone's AppData\Local.
    const QDir config(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    EXPECT_TRUE(config.entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty())
        << config.path().toStdString();
#endif
}

// One run of the program with its settings in a file of its own.
class ProgramRun {
  public:
    explicit ProgramRun(QSettings& settings) {
        window.KeepSettingsIn(&settings);
        window.Start();
        window.show();
    }
    QWidget& Open(const char* name) {
        for (QAction* action : window.ToolsMenu().actions()) {
            if (action->objectName() == name) {
                action->trigger();
            }
        }
        return *window.findChild<QWidget*>(name);
    }

    window::qt::test::RecordingOnTop onTop;
    window::qt::MainWindow window{&onTop, [](QWidget*, const RuntimeError&) {}};
    ToolWindows tools{window};
};

TEST(RememberedBetweenRuns, PlacesSizesLimitsSeriesAndTheFluid) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QSettings settings(folder.filePath("idrovela.conf"), QSettings::IniFormat);
    QRect tableFrame;
    {
        ProgramRun first(settings);
        QWidget& pipes = first.Open("TubiCommerciali");
        pipes.move(40, 30);
        pipes.resize(500, 450);
        tableFrame = pipes.frameGeometry();
        pipes.findChild<QDoubleSpinBox*>("LimitePerdita")->setValue(150);
        pipes.findChild<QDoubleSpinBox*>("LimiteVelocita")->setValue(1.5);
        auto& series = *pipes.findChild<QComboBox*>("Serie");
        series.setFocus();
        while (series.currentData().toString() != "pert") {
            QTest::keyClick(&series, Qt::Key_Down);  // the user's pick, as the arrows make it
        }
        QWidget& fluid = first.Open("ProprietaFluido");
        fluid.findChild<QComboBox*>("Fluido")->setCurrentIndex(2);  // propylene glycol
        fluid.findChild<QDoubleSpinBox*>("Concentrazione")->setValue(40);
        fluid.findChild<QDoubleSpinBox*>("Temperatura")->setValue(-5);
        pipes.close();
        fluid.close();
    }
    settings.sync();
    {
        ProgramRun second(settings);
        QWidget& pipes = second.Open("TubiCommerciali");
        EXPECT_EQ(pipes.frameGeometry(), tableFrame);
        EXPECT_EQ(pipes.findChild<QDoubleSpinBox*>("LimitePerdita")->value(), 150);
        EXPECT_EQ(pipes.findChild<QDoubleSpinBox*>("LimiteVelocita")->value(), 1.5);
        EXPECT_EQ(pipes.findChild<QComboBox*>("Serie")->currentData().toString(), "pert");
        // The picked series holds until the user changes the material.
        second.window.Act([](window::Form_Principale& form) { form.UserClick(form.Option_Tubo1); });
        EXPECT_EQ(pipes.findChild<QComboBox*>("Serie")->currentData().toString(), "rame");
        QWidget& fluid = second.Open("ProprietaFluido");
        EXPECT_EQ(fluid.findChild<QComboBox*>("Fluido")->currentText(), "Glicole propilenico");
        EXPECT_EQ(fluid.findChild<QDoubleSpinBox*>("Concentrazione")->value(), 40);
        EXPECT_EQ(fluid.findChild<QDoubleSpinBox*>("Temperatura")->value(), -5);
    }
}

TEST(RememberedBetweenRuns, APlaceOffEveryScreenGoesBesideTheMainWindowAgain) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QSettings settings(folder.filePath("idrovela.conf"), QSettings::IniFormat);
    // Where a second screen, now gone, was; and a series no longer in the catalogues.
    settings.setValue("windows/TubiCommerciali/pos", QPoint(5000, 200));
    settings.setValue("windows/TubiCommerciali/size", QSize(320, 500));
    settings.setValue("pipeTable/series", "gone");
    ProgramRun run(settings);
    run.window.move(0, 0);
    QWidget& pipes = run.Open("TubiCommerciali");
    const QRect screen = run.window.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(pipes.frameGeometry()));
    EXPECT_FALSE(pipes.frameGeometry().intersects(run.window.frameGeometry()));
    EXPECT_EQ(pipes.width(), 320);
    EXPECT_EQ(pipes.findChild<QComboBox*>("Serie")->currentData().toString(), "acciaio-m");
    EXPECT_EQ(settings.value("windows/TubiCommerciali/pos").toPoint(), pipes.pos());
}

// A place remembered from a wider screen, its title bar still on this one but its right part
// (the close button) past the screen's edge: the window comes back whole, narrowed to the room
// from where it was, or, with less room than its least width, at that width against the edge.
TEST(RememberedBetweenRuns, APlacePastTheScreensEdgeComesBackWhole) {
    struct Case {
        const char* name;
        int roomRight;  // from the remembered place to the screen's right edge
        bool keepsItsPlace;
    };
    for (const Case& c : {Case{"narrowed where it was", 400, true},
                          Case{"moved back at its least width", 100, false}}) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        QSettings settings(folder.filePath("idrovela.conf"), QSettings::IniFormat);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint remembered(screen.right() + 1 - c.roomRight, screen.top() + 40);
        settings.setValue("windows/TubiCommerciali/pos", remembered);
        settings.setValue("windows/TubiCommerciali/size", QSize(700, 500));
        ProgramRun run(settings);
        QWidget& pipes = run.Open("TubiCommerciali");
        const QRect frame = pipes.frameGeometry();
        EXPECT_TRUE(screen.contains(frame));
        EXPECT_EQ(frame.right(), screen.right());
        EXPECT_EQ(frame.top(), remembered.y());
        EXPECT_EQ(pipes.height(), 500);
        const int least = pipes.minimumSizeHint().width() + frame.width() - pipes.width();
        EXPECT_EQ(frame.width(), c.keepsItsPlace ? c.roomRight : least);
        EXPECT_EQ(frame.left() == remembered.x(), c.keepsItsPlace);
    }
}

TEST(RememberedBetweenRuns, OnlySoundValuesAreReadBack) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QSettings settings(folder.filePath("idrovela.conf"), QSettings::IniFormat);
    EXPECT_EQ(RememberedFluid(settings), std::nullopt);
    EXPECT_EQ(RememberedLimits(settings), std::nullopt);
    EXPECT_EQ(RememberedSeries(settings), std::nullopt);
    RememberFluid(settings, {FluidKind::Etilenico, 35, -7.5});
    RememberLimits(settings, {120, 0.8});
    const auto fluid = RememberedFluid(settings);
    ASSERT_TRUE(fluid);
    EXPECT_EQ(fluid->kind, FluidKind::Etilenico);
    EXPECT_EQ(fluid->volumePercent, 35);
    EXPECT_EQ(fluid->celsius, -7.5);
    ASSERT_TRUE(RememberedLimits(settings));
    EXPECT_EQ(RememberedLimits(settings)->velocityMs, 0.8);

    for (const auto& [key, value] :
         std::vector<std::pair<QString, QString>>{{"fluid/kind", "glicerina"},
                                                  {"fluid/celsius", "venti"},
                                                  {"fluid/volumePercent", "nan"},
                                                  {"fluid/celsius", "inf"}}) {
        QSettings bad(folder.filePath("bad.conf"), QSettings::IniFormat);
        RememberFluid(bad, {FluidKind::Propilenico, 30, 20});
        bad.setValue(key, value);
        EXPECT_EQ(RememberedFluid(bad), std::nullopt) << key.toStdString();
    }
    for (const PipeLimits limits : {PipeLimits{-1, 1}, PipeLimits{200, -0.5},
                                    PipeLimits{std::nan(""), 1}, PipeLimits{200, HUGE_VAL}}) {
        RememberLimits(settings, limits);
        EXPECT_EQ(RememberedLimits(settings), std::nullopt) << limits.pascalPerMetre;
    }
}

}  // namespace
}  // namespace idrovela::tools::qt
