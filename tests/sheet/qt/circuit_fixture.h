#pragma once

// The circuit windows beside the real main window, with the message boxes and file dialogs
// replaced by a script, and the recovery copies in a folder of the test's own.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "sheet/qt/circuit_drawings.h"
#include "sheet/qt/circuit_exports.h"
#include "sheet/qt/circuit_file.h"
#include "sheet/qt/circuit_links.h"
#include "sheet/qt/circuit_window_manager.h"
#include "sheet/qt/segment_model.h"
#include "sheet/qt/structure_edits.h"
#include "tests/window/qt/window_fixture.h"
#include "tools/qt/tool_windows.h"

namespace idrovela::sheet::qt::test {

// The windows' own parts, found by their names.
inline QAction& ActionOf(QWidget& window, const char* name) {
    auto* action = window.findChild<QAction*>(QString::fromUtf8(name));
    if (action == nullptr) {
        throw std::runtime_error(std::string("no action ") + name);
    }
    return *action;
}

template <typename Widget = QWidget>
Widget& Child(QWidget& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromUtf8(name));
    if (widget == nullptr) {
        throw std::runtime_error(std::string("no widget ") + name);
    }
    return *widget;
}

inline void Type(QLineEdit& field, const QString& text) {
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, text);
    QTest::keyClick(&field, Qt::Key_Return);
}

// Picks an entry of a combo box, as the user's choice from its list does.
inline void Pick(QComboBox& box, int index) {
    ASSERT_TRUE(box.isEnabled());
    box.setFocus();
    box.setCurrentIndex(index);
    Q_EMIT box.activated(index);
}

// Runs `act` on the modal dialog that `open` opens, once it shows.
inline void WithDialog(const std::function<void()>& open,
                       const std::function<void(QWidget&)>& act) {
    bool acted = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
        acted = true;
    });
    open();
    EXPECT_TRUE(acted);
}

class ScriptedDialogs final : public Dialogs {
  public:
    Answer AskToSave(QWidget*, const QString& question) override {
        questions << question;
        return Next(answers, Answer::Cancel);
    }
    std::optional<QString> OpenPath(QWidget* parent) override {
        owners.push_back(parent);
        return Next(openPaths, {});
    }
    std::optional<QString> SavePath(QWidget*, const QString& suggested) override {
        suggestions << suggested;
        return Next(savePaths, {});
    }
    void ShowError(QWidget* parent, const QString& text) override {
        owners.push_back(parent);
        errors << text;
    }
    bool OfferRecovery(QWidget*, const QString& question) override {
        offers << question;
        return Next(recover, false);
    }
    std::optional<QString> ExportPath(QWidget*, const QString& title, const QString& suggested,
                                      const QString&) override {
        exports << title + ": " + suggested;
        return Next(exportPaths, {});
    }
    bool ChoosePrinter(QWidget*, QPrinter& printer) override {
        return choosePrinter ? choosePrinter(printer) : false;
    }
    std::optional<UpstreamChoice> ChooseUpstream(QWidget*, const QString& title,
                                                 const QStringList& choices,
                                                 std::optional<std::size_t> current) override {
        upstreamAsked << title;
        upstreamChoices = choices;
        upstreamCurrent = current;
        return Next(upstreams, {});
    }

    std::deque<Answer> answers;
    std::deque<std::optional<QString>> openPaths;
    std::deque<std::optional<QString>> savePaths;
    std::deque<bool> recover;
    std::deque<std::optional<QString>> exportPaths;
    std::function<bool(QPrinter&)> choosePrinter;
    std::deque<std::optional<UpstreamChoice>> upstreams;
    QStringList questions;
    QStringList suggestions;
    QStringList errors;
    std::vector<QWidget*> owners;  // of the file dialogs and the errors, in turn
    QStringList offers;
    QStringList exports;
    QStringList upstreamAsked;
    QStringList upstreamChoices;  // offered the last time
    std::optional<std::size_t> upstreamCurrent;

  private:
    template <typename T>
    static T Next(std::deque<T>& queue, T otherwise) {
        if (!queue.empty()) {
            otherwise = std::move(queue.front());
            queue.pop_front();
        }
        return otherwise;
    }
};

class CircuitWindowTest : public window::qt::test::MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(folder.isValid());
    }
    // The environment as the windows see it: the recovery copies under this test's folder
    // (XDG_STATE_HOME's on Linux, LOCALAPPDATA's on Windows).
    [[nodiscard]] std::function<const char*(const char*)> Environment() const {
        return [this](const char* name) -> const char* {
            if (std::string_view(name) == "XDG_STATE_HOME" ||
                std::string_view(name) == "LOCALAPPDATA") {
                return stateHome.c_str();
            }
            return std::getenv(name);
        };
    }
    [[nodiscard]] std::filesystem::path File(const char* name) const {
        return std::filesystem::path(folder.filePath(QString::fromUtf8(name)).toStdString());
    }
    static std::string Bytes(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    static void Write(const std::filesystem::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }

    // Types a text into a cell as the user does: F2, the text over the old one, Enter.
    static void TypeInto(CircuitWindow& circuit, std::size_t segment, columns::SegmentColumn column,
                         const QString& text) {
        QTreeView& sheet = circuit.Sheet();
        const QModelIndex cell = circuit.Model().IndexOf(segment, static_cast<int>(column));
        sheet.setCurrentIndex(cell);
        QTest::keyClick(&sheet, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(sheet.indexWidget(cell));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits once the event loop runs.
        QCoreApplication::processEvents();
    }

    // Makes a circuit window the active one, as a click on it does, so that its keys reach it.
    static void Activate(CircuitWindow& circuit) {
        circuit.activateWindow();
        ASSERT_TRUE(
            QTest::qWaitFor([&circuit] { return QApplication::activeWindow() == &circuit; }));
    }

    // Opens a circuit file in its window, made the active one.
    CircuitWindow& OpenActive(const std::filesystem::path& file) {
        CircuitWindow* circuit = circuits.Open(file);
        if (circuit == nullptr) {
            throw std::runtime_error("not opened: " + file.string());
        }
        Activate(*circuit);
        return *circuit;
    }

    QTemporaryDir folder;
    std::string stateHome = folder.filePath(QStringLiteral("state")).toStdString();
    ScriptedDialogs dialogs;
    // Before the circuit windows, which may be linked to them and go first.
    tools::qt::ToolWindows tools{window};
    CircuitWindowManager circuits{window, &dialogs, Environment()};
};

}  // namespace idrovela::sheet::qt::test
