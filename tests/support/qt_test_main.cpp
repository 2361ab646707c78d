// GoogleTest main for the desktop window's tests: one QApplication for every test, drawn
// offscreen unless QT_QPA_PLATFORM chooses another platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#ifdef _WIN32
#include "window/qt/fonts_beside_program.h"
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The tests keep away from the user's own files: the settings the program keeps under
    // XDG_CONFIG_HOME, the catalogues it reads under XDG_DATA_HOME and the recovery copies it
    // writes under XDG_STATE_HOME are empty folders of their own, gone when the tests end.
    const QTemporaryDir home;
    if (!home.isValid()) {
        return 2;
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath(QStringLiteral("state"))));
    QApplication application(argc, argv);
#ifdef _WIN32
    // The font the program carries beside it on Windows, here taken from where Debian puts it.
    idrovela::window::qt::LoadFontsFrom(QStringLiteral(IDROVELA_TEST_FONTS));
#endif
    return RUN_ALL_TESTS();
}
