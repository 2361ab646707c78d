// Nothing the user types is lost: saving and reopening gives the same bytes, a failed save keeps
// the old file, closing or quitting with unsaved changes asks, and a crash leaves a recovery copy
// that the next start offers back, but that a second running copy is never offered.

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QSysInfo>
#include <QUndoStack>

#include "circuit/write.h"
#include "sheet/recent_and_recovery.h"
#include "tests/sheet/qt/circuit_fixture.h"
#include "tests/sheet/sheet_fixture.h"
#include "tests/support/scratch_folder.h"

namespace idrovela::sheet::qt::test {
namespace {

using sheet::test::BuiltIn;
using sheet::test::ThreeRadiators;

class FilesTest : public CircuitWindowTest {
  protected:
    // The three radiators as a file, written as the engine writes it.
    std::filesystem::path ThreeRadiatorsFile(const char* name = "villetta.idrovela") {
        const std::filesystem::path file = File(name);
        circuit::Circuit circuit = ThreeRadiators();
        circuit.project.notes = "Piano terra.\nCaldaia in cantina.";
        Write(file, circuit::WriteCircuit(circuit));
        return file;
    }
    static void Lengthen(CircuitWindow& circuit) {
        TypeInto(circuit, 1, columns::SegmentColumn::Lunghezza, "7,5");
        ASSERT_EQ(circuit.Circuit().Circuit().segments[1].lengthM, 7.5);
    }
    [[nodiscard]] std::vector<std::filesystem::path> Copies() const {
        return RecoveryFile::In(std::filesystem::path(stateHome) / "idrovela");
    }
};

// Where the window manager or the user put the main window so that a circuit window gets on
// neither side the width it needs, the main window goes to the screen's left when that gives it
// more room, at least its minimum; otherwise it stays. Frames as the real windows have them: the
// main window 386 wide, a circuit window that needs 1002 and takes at least 746.
TEST(PlaceForRoom, TheMainWindowMakesRoomOnlyWhereItHelps) {
    struct Case {
        const char* name;
        QRect screen;
        QRect main;
        int needed;
        int minimum;
        std::optional<QPoint> expected;
    };
    const QRect screen(0, 0, 1280, 900);
    const Case cases[] = {
        {"centred", screen, {449, 278, 383, 343}, 750, 750, QPoint(0, 278)},
        {"room right", screen, {0, 278, 383, 343}, 750, 750, std::nullopt},
        {"room left", screen, {880, 0, 383, 343}, 750, 750, std::nullopt},
        {"no screen wide enough", {0, 0, 1024, 768}, {320, 0, 383, 343}, 750, 750, std::nullopt},
        {"a second screen", {1280, 0, 1280, 900}, {1729, 40, 383, 343}, 750, 750, QPoint(1280, 40)},
        // 1920 × 1080, centred: 767 and 767 beside it, 1534 once it is at the left.
        {"1920 centred", {0, 0, 1920, 1080}, {767, 376, 386, 327}, 1002, 746, QPoint(0, 376)},
        // 1366 × 768: not the whole need anywhere, but 980 at the left beats 490 on a side.
        {"1366 centred", {0, 0, 1366, 768}, {490, 220, 386, 327}, 1002, 746, QPoint(0, 220)},
        {"1366 at the left already",
         {0, 0, 1366, 768},
         {0, 220, 386, 327},
         1002,
         746,
         std::nullopt},
        // A side above the minimum but short of the need: the left edge gives more.
        {"1600 side short of the need",
         {0, 0, 1600, 900},
         {800, 0, 386, 327},
         1002,
         746,
         QPoint(0, 0)},
        // 1024 × 768: 638 at the left is below the minimum; moving would not make it fit.
        {"1024 centred", {0, 0, 1024, 768}, {319, 220, 386, 327}, 1002, 746, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceForRoom(c.screen, c.main, c.needed, c.minimum), c.expected) << c.name;
    }
}

TEST_F(FilesTest, SavedAndReopenedTheBytesAreTheSame) {
    const std::filesystem::path file = ThreeRadiatorsFile();
    const std::string bytes = Bytes(file);
    CircuitWindow& circuit = OpenActive(file);
    EXPECT_EQ(circuit.windowTitle(), "villetta – Circuito");
    QTest::keyClick(&circuit.Sheet(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Bytes(file), bytes);

    // Saved under another name, which gets the extension, then opened again.
    Lengthen(circuit);
    Activate(circuit);
    dialogs.savePaths.push_back(QString::fromStdString(File("copia").string()));
    QTest::keyClick(&circuit.Sheet(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    const std::filesystem::path copy = File("copia.idrovela");
    EXPECT_EQ(dialogs.suggestions, QStringList{QString::fromStdString(file.string())});
    EXPECT_EQ(circuit.windowTitle(), "copia – Circuito");
    EXPECT_EQ(Bytes(file), bytes);
    const std::string saved = Bytes(copy);
    EXPECT_NE(saved, bytes);
    // Notes on two lines pass through the panel's one-line field as they are.
    auto* author = circuit.findChild<QLineEdit*>(QStringLiteral("Autore"));
    author->setFocus();
    QTest::keyClicks(author, "Anna");
    QTest::keyClick(author, Qt::Key_Return);
    EXPECT_EQ(circuit.Circuit().Circuit().project.author, "Anna");
    EXPECT_EQ(circuit.Circuit().Circuit().project.notes, "Piano terra.\nCaldaia in cantina.");
    circuit.UndoStack().undo();
    EXPECT_EQ(circuits.Recent().front(), QString::fromStdString(copy.string()));
    circuit.close();
    CircuitWindow& again = OpenActive(copy);
    EXPECT_EQ(again.Circuit().Circuit().segments[1].lengthM, 7.5);
    QTest::keyClick(&again.Sheet(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Bytes(copy), saved);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();

    // The recent circuits reopen from the main window's menu.
    again.close();
    auto* recent = window.FileMenu().findChild<QMenu*>("CircuitiRecenti");
    ASSERT_NE(recent, nullptr);
    Q_EMIT recent->aboutToShow();
    ASSERT_GE(recent->actions().size(), 2);
    EXPECT_EQ(recent->actions()[0]->text(), "&1 copia.idrovela");
    recent->actions()[1]->trigger();
    ASSERT_EQ(circuits.Windows().size(), 1u);
    EXPECT_EQ(circuits.Windows().front()->Circuit().File(), file);
}

// `idrovela binario.idrovela villetta.idrovela`: each file that fails to load opens nothing and
// says what is wrong with it, naming it; the good one opens all the same.
TEST_F(FilesTest, AFileThatFailsToLoadOpensNothingAndSaysWhy) {
    const std::string whole = circuit::WriteCircuit(ThreeRadiators());
    const struct {
        const char* name;
        std::string bytes;
        const char* says;
    } cases[] = {
        {"vuoto.idrovela", "", "il file è vuoto."},
        {"troncato.idrovela", whole.substr(0, whole.size() / 3),
         "il file è incompleto e finisce a metà"},
        {"binario.idrovela", std::string("PK\x03\x04\x14\0\0\0", 8),
         "il file non è un testo ma un file binario"},
        {"zeri.idrovela", whole.substr(0, 60) + std::string(40, '\0'), "il file è danneggiato"},
        {"rotto.idrovela",
         "{\"formato\": \"idrovela-circuito\", \"versione\": 1,\n  \"fluido\": {}, \"tratti\": [\n",
         "il file è incompleto e finisce a metà, forse perché è stato troncato durante una copia. "
         "Dettaglio: il testo JSON si interrompe alla riga 3, colonna 1."},
    };
    std::vector<std::filesystem::path> files;
    for (const auto& c : cases) {
        files.push_back(File(c.name));
        Write(files.back(), c.bytes);
    }
    files.push_back(ThreeRadiatorsFile());
    circuits.OpenAtStart(files);
    ASSERT_EQ(circuits.Windows().size(), 1u);
    EXPECT_EQ(circuits.Windows().front()->Circuit().File(), files.back());
    ASSERT_EQ(dialogs.errors.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string error = dialogs.errors[static_cast<qsizetype>(i)].toStdString();
        const std::string named = std::string("/") + cases[i].name + "»: ";
        EXPECT_EQ(error.rfind("Impossibile aprire «", 0), 0u) << error;
        const std::size_t name = error.find(named);
        ASSERT_NE(name, std::string::npos) << error;
        EXPECT_EQ(error.substr(name + named.size()).rfind(cases[i].says, 0), 0u) << error;
    }
    EXPECT_EQ(circuits.Recent(), QStringList{QString::fromStdString(files.back().string())});
}

// A save that fails (here: the chosen name is a folder) leaves the old file as it was, says why,
// and leaves the circuit unsaved.
TEST_F(FilesTest, AFailedSaveKeepsTheOldFile) {
    const std::filesystem::path file = ThreeRadiatorsFile();
    const std::string bytes = Bytes(file);
    CircuitWindow& circuit = OpenActive(file);
    Lengthen(circuit);
    const std::filesystem::path named = File("cartella.idrovela");
    std::filesystem::create_directory(named);
    dialogs.savePaths.push_back(QString::fromStdString(named.string()));
    EXPECT_FALSE(circuit.File().SaveAs());
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.front().contains("è una cartella, non un file"))
        << dialogs.errors.front().toStdString();
    EXPECT_TRUE(std::filesystem::is_directory(named));
    EXPECT_EQ(Bytes(file), bytes);
    EXPECT_EQ(circuit.Circuit().File(), file);
    EXPECT_EQ(circuit.windowTitle(), "villetta* – Circuito");

    // Where the program may not write at all.
    if (!test_support::PermissionsStopNothing()) {
        std::filesystem::permissions(File(""), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        EXPECT_FALSE(circuit.File().Save());
        EXPECT_TRUE(dialogs.errors.back().contains("permesso negato"));
        EXPECT_EQ(Bytes(file), bytes);
        std::filesystem::permissions(File(""), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    }
}

TEST_F(FilesTest, ClosingWithUnsavedChangesAsks) {
    const std::filesystem::path file = ThreeRadiatorsFile();
    const std::string bytes = Bytes(file);
    CircuitWindow* circuit = &OpenActive(file);
    // Unchanged: closes without a question.
    QTest::keyClick(&circuit->Sheet(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(circuits.Windows().empty());
    EXPECT_TRUE(dialogs.questions.isEmpty());

    circuit = circuits.Open(file);
    Lengthen(*circuit);
    dialogs.answers = {Dialogs::Answer::Cancel};
    circuit->close();
    EXPECT_EQ(dialogs.questions,
              QStringList{QString::fromUtf8("Salvare le modifiche a «villetta»?")});
    EXPECT_EQ(circuits.Windows().size(), 1u);

    // Quitting asks too; "Annulla" keeps the program running.
    dialogs.answers = {Dialogs::Answer::Cancel};
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dialogs.questions.size(), 2);

    dialogs.answers = {Dialogs::Answer::Discard};
    circuit->close();
    EXPECT_TRUE(circuits.Windows().empty());
    EXPECT_EQ(Bytes(file), bytes);

    // "Salva" saves, then closes; quitting with it closes the program.
    circuit = circuits.Open(file);
    Lengthen(*circuit);
    dialogs.answers = {Dialogs::Answer::Save};
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(circuits.Windows().empty());
    EXPECT_NE(Bytes(file), bytes);
    EXPECT_TRUE(Copies().empty());
}

// The program dies with a circuit unsaved (the window goes without closing, its lock released
// as a dead program's is): the next start offers it back, whole, and a copy of the program that
// was running meanwhile was never offered it.
TEST_F(FilesTest, ACrashLeavesARecoveryCopyThatOnlyTheNextStartOffers) {
    circuits.SetAutosaveInterval(50);
    const std::filesystem::path file = ThreeRadiatorsFile();
    CircuitWindow* circuit = circuits.Open(file);
    Lengthen(*circuit);
    EXPECT_TRUE(circuit->File().AutosavePending());
    QTRY_COMPARE(Copies().size(), 1u);
    const std::filesystem::path copy = Copies().front();
    EXPECT_EQ(circuit->File().Recovery()->Path(), copy);
    const std::string unsaved = circuit::WriteCircuit(circuit->Circuit().Circuit());

    // A second copy of the program, running at the same time, is not offered it.
    window::qt::MainWindow other(&onTop, [](QWidget*, const RuntimeError&) {});
    ScriptedDialogs otherDialogs;
    {
        CircuitWindowManager second(other, &otherDialogs, Environment());
        second.OfferRecoveries();
        EXPECT_TRUE(otherDialogs.offers.isEmpty());
        EXPECT_TRUE(second.Windows().empty());
    }

    delete circuit;  // the crash
    ASSERT_TRUE(std::filesystem::exists(copy));
    ASSERT_FALSE(std::filesystem::exists(copy.string() + ".lock"));
    CircuitWindowManager next(other, &otherDialogs, Environment());
    otherDialogs.recover = {true};
    next.OfferRecoveries();
    ASSERT_EQ(otherDialogs.offers.size(), 1);
    EXPECT_EQ(otherDialogs.offers.front().toStdString(),
              "Idrovela si è chiuso senza salvare le modifiche a «villetta» (" + file.string() +
                  "). Recuperarle?");
    ASSERT_EQ(next.Windows().size(), 1u);
    CircuitWindow& recovered = *next.Windows().front();
    EXPECT_EQ(circuit::WriteCircuit(recovered.Circuit().Circuit()), unsaved);
    EXPECT_EQ(recovered.windowTitle(), "villetta* – Circuito");
    EXPECT_EQ(recovered.Circuit().File(), file);
    EXPECT_TRUE(std::filesystem::exists(copy.string() + ".lock"));  // held again

    // Saved, the copy goes.
    EXPECT_TRUE(recovered.File().Save());
    EXPECT_TRUE(Copies().empty());
    EXPECT_EQ(Bytes(file), unsaved);
}

TEST_F(FilesTest, ADiscardedRecoveryCopyIsRemovedAndUndoingToTheFileRemovesItToo) {
    circuits.SetAutosaveInterval(60'000);
    CircuitWindow* circuit = circuits.Open(ThreeRadiatorsFile());
    Lengthen(*circuit);
    circuit->File().AutosaveNow();
    ASSERT_EQ(Copies().size(), 1u);
    circuit->UndoStack().undo();  // back to what the file holds
    EXPECT_TRUE(Copies().empty());
    Lengthen(*circuit);
    circuit->File().AutosaveNow();
    delete circuit;
    ASSERT_EQ(Copies().size(), 1u);
    dialogs.recover = {false};
    circuits.OfferRecoveries();
    EXPECT_EQ(dialogs.offers.size(), 1);
    EXPECT_TRUE(Copies().empty());
    EXPECT_TRUE(circuits.Windows().empty());
}

// A lock whose program has died is taken over; one a running program holds is not, however old.
TEST_F(FilesTest, OnlyADeadProgramsLockIsTakenOver) {
    const std::filesystem::path dir = std::filesystem::path(stateHome) / "idrovela";
    std::filesystem::create_directories(dir);
    const std::filesystem::path copy = dir / RecoveryFileName(1, 1);
    Write(copy, RecoveryText(ThreeRadiators(), std::nullopt));
    // A program that has run and ended: this test program, listing no test.
    QProcess ended;
    ended.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_list_tests"), QStringLiteral("--gtest_filter=-*")});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 child = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    ASSERT_GT(child, 0);
    QFile lock(QString::fromStdString(copy.string() + ".lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(child) + "\nidrovela\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    lock.close();
    auto claimed = RecoveryFile::Claim(copy);
    ASSERT_NE(claimed, nullptr);
    EXPECT_EQ(RecoveryFile::Claim(copy), nullptr);  // now this program's
    claimed.reset();
    EXPECT_TRUE(std::filesystem::exists(copy));
    EXPECT_NE(RecoveryFile::Claim(copy), nullptr);
}

}  // namespace
}  // namespace idrovela::sheet::qt::test
