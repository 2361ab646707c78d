#include "catalogues/read_series.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogues/file_lines.h"
#include "catalogues/tube_row.h"
#include "text/utf8.h"

namespace idrovela::catalogues {
namespace {

const std::string kHeaderLine = std::string(kHeader) + "\n";

// A file with a title, the header and the given rows; rows start at line 3.
std::string FileWithRows(const std::string& rows) {
    return "# Prova\n" + kHeaderLine + rows;
}

struct Read {
    Series series;
    std::vector<Problem> problems;
};

Read ReadText(const std::string& text) {
    Read read;
    read.series = ReadSeries("prova", "prova.csv", text, read.problems);
    return read;
}

std::vector<std::string> Designations(const Series& series) {
    std::vector<std::string> designations;
    for (const Tube& tube : series.tubes) {
        designations.push_back(tube.designation);
    }
    return designations;
}

TEST(ReadSeries, ReadsTitleNotesAndTubes) {
    const Read read = ReadText(
        "# Rame EN 1057\n"
        "#   Fonte: un produttore   \n"
        "#\n"
        "\n"
        "# Compilato il 2026-12-07.\n" +
        kHeaderLine +
        "22×1;22;1;20;0,0015\n"
        "15×1,2;15;1,2;12,6;0,0015\n");
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.series.name, "prova");
    EXPECT_EQ(read.series.title, "Rame EN 1057");
    EXPECT_EQ(read.series.notes,
              (std::vector<std::string>{"Fonte: un produttore", "Compilato il 2026-12-07."}));
    EXPECT_EQ(read.series.origin, "prova.csv");
    EXPECT_FALSE(read.series.builtIn);
    ASSERT_EQ(read.series.tubes.size(), 2U);
    const Tube& tube = read.series.tubes[1];
    EXPECT_EQ(tube.designation, "22×1");
    EXPECT_EQ(tube.outerMm, 22.0);
    EXPECT_EQ(tube.wallMm, 1.0);
    EXPECT_EQ(tube.innerMm, 20.0);
    EXPECT_EQ(tube.roughnessMm, 0.0015);
}

TEST(ReadSeries, TitleFallsBackToTheName) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"no comments", kHeaderLine + "a;2;0,5;1;0\n"},
        {"empty first comment", "#\n# nota\n" + kHeaderLine + "a;2;0,5;1;0\n"},
        {"first comment not UTF-8", "# Rame\xE8\n# nota\n" + kHeaderLine + "a;2;0,5;1;0\n"},
    };
    for (const auto& c : cases) {
        const Read read = ReadText(c.text);
        EXPECT_EQ(read.series.title, "prova") << c.name;
        EXPECT_EQ(read.series.tubes.size(), 1U) << c.name;
    }
}

TEST(ReadSeries, SortsByInnerThenOuterDiameter) {
    const Read read =
        ReadText(FileWithRows("26×3;26;3;20;0\n"
                              "16×1,5;16;1,5;13;0\n"
                              "25×2,5;25;2,5;20;0\n"
                              "17×2;17;2;13;0\n"
                              "14×2;14;2;10;0\n"
                              "B;25;2,5;20;0\n"));
    EXPECT_TRUE(read.problems.empty());
    // Rows that tie on both keep the file's order.
    EXPECT_EQ(Designations(read.series),
              (std::vector<std::string>{"14×2", "16×1,5", "17×2", "25×2,5", "B", "26×3"}));
}

TEST(ReadSeries, PassesOverBlankAndPutAsideRowsAndTrimsTheDesignation) {
    const Read read =
        ReadText(FileWithRows("\n"
                              "   \t\n"
                              "# 22×1;22;1;20;0\n"
                              "  DN 25\t;33,7;3,2;27,3; 0,045 \n"));
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(Designations(read.series), std::vector<std::string>{"DN 25"});
    EXPECT_EQ(read.series.tubes[0].roughnessMm, 0.045);
}

// Each bad row is skipped with one problem on its line that names what is wrong; the good row
// after it still loads.
TEST(ReadSeries, SkipsEachKindOfBadRow) {
    const struct {
        const char* name;
        std::string row;
        std::string messagePart;
    } cases[] = {
        {"too few fields", "22×1;22;1;20", "trovati 4"},
        {"too many fields", "22×1;22;1;20;0;", "trovati 6"},
        {"one field", "22×1", "trovati 1"},
        {"empty designation", ";22;1;20;0", "«designazione» vuota"},
        {"blank designation", " \t;22;1;20;0", "«designazione» vuota"},
        {"control character", "22\x01×1;22;1;20;0", "caratteri invisibili o di controllo"},
        {"last C1 control character", "22x1\xC2\x9F;22;1;20;0", "«22x1\\xC2\\x9F»"},
        {"zero-width space", "22\u200B×1;22;1;20;0", "«22\\u200B×1»"},
        {"decimal point", "22×1;22.0;1;20;0", "«diametro esterno [mm]»: «22.0» non è un numero"},
        {"empty number", "22×1;22;;20;0", "«spessore [mm]»: «» non è un numero"},
        {"exponent", "22×1;22;1;2e1;0", "«diametro interno [mm]»: «2e1» non è un numero"},
        {"unit in the field", "22×1;22;1;20;0,0015 mm", "«rugosità [mm]»: «0,0015 mm»"},
        {"two commas", "22×1;22;1,0,0;20;0", "«spessore [mm]»: «1,0,0»"},
        {"beyond a Double", "22×1;1" + std::string(400, '0') + ";1;20;0", "troppo grande"},
        {"zero outer", "22×1;0;1;20;0", "«diametro esterno [mm]» deve essere maggiore di zero"},
        {"negative wall", "22×1;22;-1;24;0", "«spessore [mm]» deve essere maggiore di zero"},
        {"zero inner", "2×1;2;1;0;0", "«diametro interno [mm]» deve essere maggiore di zero"},
        {"negative zero wall", "22×1;22;-0;22;0", "«spessore [mm]» deve essere maggiore di zero"},
        {"negative roughness", "22×1;22;1;20;-0,0015", "«rugosità [mm]» non può essere negativa"},
        {"absurd outer", "X;20000;1;19998;0", "«diametro esterno [mm]» oltre 10000 mm"},
        {"absurd roughness", "22×1;22;1;20;10001", "«rugosità [mm]» oltre 10000 mm"},
        {"inner too small", "22×1;22;1;19,9;0", "= 20 (scarto oltre 0,05 mm)"},
        {"inner too large", "22×1;22;1;20,06;0", "«diametro interno [mm]» 20,06 non torna"},
        {"wall too thick", "22×1;22;12;1;0", "= -2"},
        {"not UTF-8",
         "22\xD7"
         "1;22;1;20;0",
         "non UTF-8 (byte 3 della riga): «22\\xD71;"},
    };
    for (const auto& c : cases) {
        const Read read = ReadText(FileWithRows(c.row + "\nok;10;1;8;0\n"));
        ASSERT_EQ(read.problems.size(), 1U) << c.name;
        const Problem& problem = read.problems[0];
        EXPECT_EQ(problem.file, "prova.csv") << c.name;
        EXPECT_EQ(problem.line, 3) << c.name;
        EXPECT_NE(problem.message.find(c.messagePart), std::string::npos)
            << c.name << ": " << problem.message;
        EXPECT_EQ(text::FirstInvalidUtf8(problem.message), std::string_view::npos) << c.name;
        EXPECT_EQ(Designations(read.series), std::vector<std::string>{"ok"}) << c.name;
    }
}

TEST(ReadSeries, AcceptsAnInnerDiameterUpToTheTolerance) {
    const Read read =
        ReadText(FileWithRows("a;10;1;8,05;0\n"
                              "b;10;1;7,95;0\n"
                              "c;33,7;3,2;27,3;0\n"
                              "d;10;1;8,051;0\n"
                              "e;10;1;7,949;0\n"));
    EXPECT_EQ(Designations(read.series), (std::vector<std::string>{"b", "a", "c"}));
    ASSERT_EQ(read.problems.size(), 2U);
    EXPECT_EQ(read.problems[0].line, 6);
    EXPECT_EQ(read.problems[1].line, 7);
}

TEST(ReadSeries, KeepsTheFirstOfARepeatedDesignation) {
    const Read read =
        ReadText(FileWithRows("22×1;22;1;20;0\n"
                              "15×1;15;1;13;0\n"
                              " 22×1 ;22;1,5;19;0\n"));
    ASSERT_EQ(read.problems.size(), 1U);
    EXPECT_EQ(read.problems[0].line, 5);
    EXPECT_EQ(read.problems[0].message, "designazione «22×1» già usata alla riga 3");
    ASSERT_EQ(read.series.tubes.size(), 2U);
    EXPECT_EQ(read.series.tubes[1].wallMm, 1.0);
}

TEST(ReadSeries, RowsRefusedBeforeTheDuplicateCheckDoNotClaimTheName) {
    const Read read =
        ReadText(FileWithRows("22×1;22;1;19;0\n"
                              "22×1;22;1;20;0\n"));
    ASSERT_EQ(read.problems.size(), 1U);
    EXPECT_EQ(read.problems[0].line, 3);
    EXPECT_EQ(Designations(read.series), std::vector<std::string>{"22×1"});
}

// Each of these stops the whole file: no tubes, and the problems listed.
TEST(ReadSeries, RefusesFilesThatHoldNoSeries) {
    const struct {
        const char* name;
        std::string text;
        std::vector<int> lines;
        std::string messagePart;
    } cases[] = {
        {"empty", "", {0}, "file vuoto"},
        {"blank lines", "\n \r\n\t\n", {0}, "file vuoto"},
        {"byte order mark only", "\xEF\xBB\xBF", {0}, "file vuoto"},
        {"comments only", "# Titolo\n# nota\n", {0}, "manca la riga d'intestazione"},
        {"no header", "# Titolo\n22×1;22;1;20;0\n", {2}, "trovata «22×1;22;1;20;0»"},
        {"header with commas",
         "designazione,diametro esterno [mm],spessore [mm],diametro interno [mm],rugosità [mm]\n",
         {1},
         "riga d'intestazione diversa da «designazione;diametro esterno"},
        {"columns swapped",
         "designazione;spessore [mm];diametro esterno [mm];diametro interno [mm];rugosità [mm]\n"
         "22×1;1;22;20;0\n",
         {1},
         "file ignorato"},
        {"header in Latin-1",
         "designazione;diametro esterno [mm];spessore [mm];diametro interno [mm];rugosit\xE0 [mm]\n"
         "22x1;22;1;20;0\n",
         {1},
         "file ignorato"},
        {"header only", kHeaderLine, {0}, "nessun tubo valido"},
        {"only bad rows", kHeaderLine + "a;1;1;1;1\nb\n", {2, 3, 0}, "nessun tubo valido"},
    };
    for (const auto& c : cases) {
        const Read read = ReadText(c.text);
        EXPECT_TRUE(read.series.tubes.empty()) << c.name;
        std::vector<int> lines;
        for (const Problem& problem : read.problems) {
            lines.push_back(problem.line);
        }
        EXPECT_EQ(lines, c.lines) << c.name;
        ASSERT_FALSE(read.problems.empty()) << c.name;
        EXPECT_NE(read.problems.back().message.find(c.messagePart), std::string::npos)
            << c.name << ": " << read.problems.back().message;
        for (const Problem& problem : read.problems) {
            EXPECT_EQ(text::FirstInvalidUtf8(problem.message), std::string_view::npos) << c.name;
        }
    }
}

TEST(ReadSeries, AcceptsWindowsLineEndingsAndAByteOrderMark) {
    const std::string unix = "# Rame\n" + kHeaderLine + "22×1;22;1;20;0\n15×1;15;1;13;0";
    const std::string windows = "\xEF\xBB\xBF# Rame\r\n" + std::string(kHeader) +
                                "\r\n22×1;22;1;20;0\r\n15×1;15;1;13;0\r\n";
    const Read expected = ReadText(unix);
    const Read read = ReadText(windows);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.series.title, "Rame");
    EXPECT_EQ(Designations(read.series), Designations(expected.series));
    EXPECT_EQ(Designations(read.series), (std::vector<std::string>{"15×1", "22×1"}));
}

TEST(ReadSeries, AByteOrderMarkCountsOnlyAtTheStart) {
    const Read read =
        ReadText(FileWithRows("\xEF\xBB\xBF"
                              "22×1;22;1;20;0\n15×1;15;1;13;0\n"));
    ASSERT_EQ(read.problems.size(), 1U);
    EXPECT_EQ(read.problems[0].line, 3);
    EXPECT_EQ(Designations(read.series), std::vector<std::string>{"15×1"});
}

TEST(ReadSeries, ReadsUpToTheLineCapAndSaysTheRestWasIgnored) {
    std::string text = FileWithRows("");
    for (int i = 3; i <= kMaxLines + 5; ++i) {
        text += 't';
        text += std::to_string(i) + ";10;1;8;0\n";
    }
    const Read read = ReadText(text);
    EXPECT_EQ(read.series.tubes.size(), static_cast<std::size_t>(kMaxLines - 2));
    ASSERT_EQ(read.problems.size(), 1U);
    EXPECT_EQ(read.problems[0].line, kMaxLines + 1);
    EXPECT_EQ(read.problems[0].message,
              "il file supera le 10000 righe: ignorato dalla riga 10001 in poi");

    // Exactly at the cap, with its final line break, nothing is ignored.
    std::string atCap = FileWithRows("");
    for (int i = 3; i <= kMaxLines; ++i) {
        atCap += 't';
        atCap += std::to_string(i) + ";10;1;8;0\n";
    }
    const Read whole = ReadText(atCap);
    EXPECT_TRUE(whole.problems.empty());
    EXPECT_EQ(whole.series.tubes.size(), static_cast<std::size_t>(kMaxLines - 2));
}

TEST(ReadSeries, ReadsWholeLinesUpToTheByteCap) {
    // Rows of 200 bytes, fewer than the line cap allows, and the byte cap inside one of them:
    // a row read up to the cap would be refused, or taken with a shorter number.
    constexpr std::size_t kRowBytes = 200;
    const std::string tail = ";10;1;8;0\n";
    std::string text = FileWithRows("");
    const std::size_t before = text.size();
    ASSERT_NE((kMaxBytes - before) % kRowBytes, 0U);
    for (int row = 0; text.size() <= kMaxBytes + 1000; ++row) {
        std::string designation = std::to_string(row);
        designation.insert(designation.begin(), 'r');
        designation.resize(kRowBytes - tail.size(), 'x');
        text += designation + tail;
    }
    const Read read = ReadText(text);
    const std::size_t wholeRows = (kMaxBytes - before) / kRowBytes;
    EXPECT_EQ(read.series.tubes.size(), wholeRows);
    ASSERT_EQ(read.problems.size(), 1U);
    EXPECT_EQ(read.problems[0].line, static_cast<int>(wholeRows) + 3);
    EXPECT_EQ(read.problems[0].message, "il file supera 1 MiB: ignorato dalla riga " +
                                            std::to_string(wholeRows + 3) + " in poi");
}

TEST(ReadSeries, ALineLongerThanTheByteCapIsNotRead) {
    const Read read = ReadText(std::string(kMaxBytes + 10, 'x'));
    EXPECT_TRUE(read.series.tubes.empty());
    ASSERT_EQ(read.problems.size(), 2U);
    EXPECT_EQ(read.problems[0].line, 0);
    EXPECT_NE(read.problems[0].message.find("intestazione"), std::string::npos);
    EXPECT_EQ(read.problems[1].line, 1);
    EXPECT_NE(read.problems[1].message.find("supera 1 MiB"), std::string::npos);
}

TEST(ReadSeries, QuotesBadTextShortened) {
    const Read read = ReadText(FileWithRows(std::string(5000, 'x') + ";1\nok;10;1;8;0\n"));
    ASSERT_EQ(read.problems.size(), 1U);
    EXPECT_LT(read.problems[0].message.size(), 200U);
    EXPECT_NE(read.problems[0].message.find("…»"), std::string::npos);
}

TEST(ReadSeries, AddsToTheProblemsAlreadyThere) {
    std::vector<Problem> problems = {{"altro.csv", 4, "già qui"}};
    const Series series = ReadSeries("prova", "prova.csv", FileWithRows("x\n"), problems);
    ASSERT_EQ(problems.size(), 3U);
    EXPECT_EQ(problems[0].file, "altro.csv");
    EXPECT_EQ(problems[1].file, "prova.csv");
}

}  // namespace
}  // namespace idrovela::catalogues
