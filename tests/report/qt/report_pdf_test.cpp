// The report as a PDF, read back with poppler's pdftotext: the number of pages, the running head
// and foot on every page, the segment table broken across pages with its captions and units
// repeated; a write that fails keeps the old file and says why.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <optional>

#include "circuit/write.h"
#include "report/qt/report_printer.h"
#include "tests/report/test_circuits.h"
#include "tests/support/file_mode.h"
#include "tests/support/pdf_pages.h"

namespace idrovela::report::qt {
namespace {

const ReportHeader kHeader{"14/03/2025", "9.8.7", "prova.idrovela"};

class ReportPdf : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        // The page counts below are the report's in the program's own typeface.
        ASSERT_EQ(QFontInfo(QFont(QStringLiteral("Liberation Sans"))).family(),
                  QStringLiteral("Liberation Sans"))
            << "install the Debian package fonts-liberation2";
    }

    // Writes the report and reads its pages back.
    QStringList Pages(const circuit::LoadedCircuit& loaded, const char* name) {
        const QString path = folder_.filePath(QString::fromUtf8(name));
        const std::optional<QString> failure =
            SaveReportPdf(path, loaded.circuit, loaded.solution, kHeader);
        EXPECT_FALSE(failure) << failure->toStdString();
        const std::optional<QStringList> pages = test_support::PdfPages(path);
        if (!pages) {
            ADD_FAILURE() << "pdftotext (Debian package poppler-utils) cannot read " << name;
            return {};
        }
        return *pages;
    }

    QTemporaryDir folder_;
};

void ExpectHeadAndFootOnEveryPage(const QStringList& pages, const QString& title) {
    for (int page = 0; page < pages.size(); ++page) {
        SCOPED_TRACE(page + 1);
        const QString& text = pages[page];
        EXPECT_TRUE(text.contains(QStringLiteral("Relazione di calcolo del circuito – ") + title));
        EXPECT_TRUE(text.contains(QStringLiteral("14/03/2025")));
        EXPECT_TRUE(text.contains(QStringLiteral("Idrovela 9.8.7")));
        EXPECT_TRUE(
            text.contains(QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(pages.size())));
    }
}

TEST_F(ReportPdf, ThreeSegmentsFillThreePages) {
    IDROVELA_NEEDS_PDFTOTEXT();
    const QStringList pages = Pages(testing::Worked(testing::ThreeSegments()), "tre.pdf");
    ASSERT_EQ(pages.size(), 3);
    ExpectHeadAndFootOnEveryPage(pages, QStringLiteral("Monolocale"));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("radiatore soggiorno")));
    EXPECT_TRUE(pages.join(QString()).contains(QStringLiteral("Formule usate")));
    EXPECT_TRUE(pages.back().contains(QStringLiteral("Avvisi")));
}

TEST_F(ReportPdf, SixtySegmentsBreakTheTableWithItsHeadRepeated) {
    IDROVELA_NEEDS_PDFTOTEXT();
    const circuit::LoadedCircuit loaded = testing::WorkedRandom(60, 11);
    const QStringList pages = Pages(loaded, "sessanta.pdf");
    ASSERT_EQ(pages.size(), 11);
    ExpectHeadAndFootOnEveryPage(pages,
                                 QString::fromStdString(ReportTitle(loaded.circuit, kHeader)));

    // The segment table starts on the first page and goes on to the second, whose rows come
    // under the captions and the units again.
    const QString first = QString::fromStdString(loaded.circuit.segments.front().id);
    const QString last = QString::fromStdString(loaded.circuit.segments.back().id);
    const QRegularExpression firstRow(QStringLiteral("(▶ )?%1 ").arg(first));
    const QRegularExpression lastRow(QStringLiteral("(▶ )?%1 ").arg(last));
    EXPECT_TRUE(pages[0].contains(firstRow));
    ASSERT_FALSE(pages[0].contains(lastRow));
    ASSERT_TRUE(pages[1].contains(lastRow));
    const QString& second = pages[1];
    const qsizetype captions = second.indexOf(QStringLiteral("Δp percorso"));
    const qsizetype units = second.indexOf(QStringLiteral("Pa/m"));
    const qsizetype row = second.indexOf(lastRow);
    ASSERT_GE(captions, 0);
    ASSERT_GE(units, 0);
    EXPECT_LT(captions, units);
    EXPECT_LT(units, row);
}

TEST_F(ReportPdf, NoPageEndsWithATitleOrStartsWithASectionsLastLine) {
    IDROVELA_NEEDS_PDFTOTEXT();
    // Circuits of many sizes put the sections' titles at every height of a page; a title that
    // fell at a page's foot goes over with what it heads, and a section's last line or two do
    // not stand alone at the top of a page, before the next title.
    const QStringList titles = {QStringLiteral("Fluido"),
                                QStringLiteral("Limiti e margini"),
                                QStringLiteral("Tratti"),
                                QStringLiteral("Terminali"),
                                QStringLiteral("Accidenti e valvole"),
                                QStringLiteral("Circuito indice"),
                                QStringLiteral("Schema del circuito"),
                                QStringLiteral("Pompa"),
                                QStringLiteral("Formule usate"),
                                QStringLiteral("Accidenti"),
                                QStringLiteral("Avvisi"),
                                QStringLiteral("Curva dell'impianto")};
    int titlesAtATop = 0;
    for (std::size_t segments = 4; segments <= 60; segments += 4) {
        SCOPED_TRACE(segments);
        const QStringList pages = Pages(testing::WorkedRandom(segments, 3), "titoli.pdf");
        for (const QString& page : pages) {
            QStringList lines = page.split(QChar('\n'));
            lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
            ASSERT_GE(lines.size(), 3);
            // Under the running head's line; above the foot, the page's last line of text.
            titlesAtATop += titles.contains(lines[1].trimmed()) ? 1 : 0;
            EXPECT_FALSE(titles.contains(lines[lines.size() - 2].trimmed())) << page.toStdString();
            for (qsizetype line = 1; line < lines.size() - 1; ++line) {
                if (titles.contains(lines[line].trimmed())) {
                    EXPECT_TRUE(line == 1 || line > 3) << "a lone tail:\n" << page.toStdString();
                    break;
                }
            }
        }
    }
    // The sizes above do move titles to the top of a page.
    EXPECT_GT(titlesAtATop, 0);
}

TEST_F(ReportPdf, APrinterGetsTheSamePagesAtItsOwnResolution) {
    IDROVELA_NEEDS_PDFTOTEXT();
    // "Stampa…" paints the same report on a printer, whose resolution is not the PDF writer's.
    const circuit::LoadedCircuit loaded = testing::WorkedRandom(60, 11);
    for (const QPrinter::PrinterMode mode :
         {QPrinter::ScreenResolution, QPrinter::HighResolution}) {
        QPrinter printer(mode);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder_.filePath(QStringLiteral("stampata.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        EXPECT_EQ(PaintReport(printer, loaded.circuit, loaded.solution, kHeader), 11)
            << printer.resolution() << " dpi";
        const std::optional<QStringList> pages = test_support::PdfPages(printer.outputFileName());
        ASSERT_TRUE(pages);
        EXPECT_EQ(pages->size(), 11);
        EXPECT_TRUE(pages->at(10).contains(QStringLiteral("Pagina 11 di 11")));
    }
}

TEST_F(ReportPdf, AFailedWriteKeepsTheOldFileAndSaysWhy) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::ThreeSegments());
    const QString missing = folder_.filePath(QStringLiteral("manca/relazione.pdf"));
    const std::optional<QString> noFolder =
        SaveReportPdf(missing, loaded.circuit, loaded.solution, kHeader);
    ASSERT_TRUE(noFolder);
    EXPECT_EQ(*noFolder, QStringLiteral("Impossibile scrivere «%1»: la cartella non esiste.")
                             .arg(QDir::toNativeSeparators(missing)))
        << noFolder->toStdString();

    const QString folder = folder_.filePath(QStringLiteral("cartella.pdf"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const std::optional<QString> isFolder =
        SaveReportPdf(folder, loaded.circuit, loaded.solution, kHeader);
    ASSERT_TRUE(isFolder);
    EXPECT_TRUE(isFolder->endsWith(QStringLiteral(": è una cartella, non un file.")));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    // Each fault in the words the circuit's save and the CSV use for it.
    {
        QFile file(folder_.filePath(QStringLiteral("file.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const auto reason = [](const std::string& message) {
        return message.substr(message.rfind("»: ") + std::string("»: ").size());
    };
    for (const QString& path :
         {missing, folder, folder_.filePath(QStringLiteral("file.txt/relazione.pdf"))}) {
        std::string written;
        try {
            circuit::WriteFileAtomically(std::filesystem::path(path.toStdString()), "csv");
        } catch (const circuit::CircuitError& error) {
            written = error.what();
        }
        const std::optional<QString> failed =
            SaveReportPdf(path, loaded.circuit, loaded.solution, kHeader);
        ASSERT_TRUE(failed) << path.toStdString();
        EXPECT_EQ(reason(failed->toStdString()), reason(written));
    }

    // Over an old report, the new one replaces it whole.
    const QString old = folder_.filePath(QStringLiteral("vecchia.pdf"));
    {
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("vecchia");
    }
    EXPECT_FALSE(SaveReportPdf(old, loaded.circuit, loaded.solution, kHeader));
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF-"));
}

// A new report gets 0666 less the umask, as any new file.
TEST_F(ReportPdf, ANewFileGetsTheModeTheUmaskLeaves) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::ThreeSegments());
    idrovela::test::ExpectNewFileModes(
        folder_.filePath(QStringLiteral("nuova.pdf")).toStdString(),
        [&](const std::filesystem::path& path) {
            EXPECT_FALSE(SaveReportPdf(QString::fromStdString(path.string()), loaded.circuit,
                                       loaded.solution, kHeader));
        });
}

}  // namespace
}  // namespace idrovela::report::qt
