// The fonts the program carries on Windows, loaded from a folder: what a font file adds is drawn,
// what is not a font is left out, and a missing folder adds nothing.

#include "window/qt/fonts_beside_program.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTemporaryDir>

namespace {

using idrovela::window::qt::LoadFontsFrom;

// Copies the Liberation Sans regular face and a text file named like a font into a new folder.
struct FontFolder {
    QTemporaryDir dir;
    FontFolder() {
        QFile::copy(QStringLiteral(IDROVELA_TEST_FONTS "/LiberationSans-Regular.ttf"),
                    dir.filePath(QStringLiteral("LiberationSans-Regular.ttf")));
        QFile notAFont(dir.filePath(QStringLiteral("leggimi.ttf")));
        if (notAFont.open(QIODevice::WriteOnly)) {
            notAFont.write("non è un carattere\n");
        }
        QFile other(dir.filePath(QStringLiteral("LiberationSans-Bold.otf.txt")));
        if (other.open(QIODevice::WriteOnly)) {
            other.write("x");
        }
    }
};

TEST(FontsBesideProgram, LoadsEveryFontFileAndNothingElse) {
    const FontFolder folder;
    ASSERT_TRUE(folder.dir.isValid());
    struct Case {
        const char* name;
        QString folder;
        int added;
    };
    const Case cases[] = {
        {"the font, not the text file", folder.dir.path(), 1},
        {"a folder that is not there", folder.dir.filePath(QStringLiteral("manca")), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LoadFontsFrom(c.folder), c.added);
    }
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Liberation Sans"))).family(),
              QStringLiteral("Liberation Sans"));
}

}  // namespace
