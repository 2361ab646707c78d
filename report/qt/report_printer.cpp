#include "report/qt/report_printer.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>

#include "circuit/file_error.h"
#include "circuit/file_system.h"
#include "report/qt/curve_painter.h"
#include "report/system_curve.h"
#include "text/path_text.h"
#include "text/version.h"

namespace idrovela::report::qt {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The report's typeface: the one the program's window uses, which the package depends on, so
// that a report lays out alike wherever it is made.
QFont ReportFont(double points) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    return font;
}

constexpr double kBodyPoints = 9.0;
constexpr double kHeadPoints = 7.5;
constexpr double kMarginMm = 15.0;
// The curve in the body's text, as wide as the page's text and half as high (in the document's
// 96-dpi units; the layout scales them to the device).
constexpr int kCurveWidth = 600;
constexpr int kCurveHeight = 300;

// Where the layout put the system curve's image, in the document's coordinates.
std::optional<QRectF> CurvePlace(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat() ||
                fragment.charFormat().toImageFormat().name() != FromUtf8(kCurveImage)) {
                continue;
            }
            const QTextLayout* layout = block.layout();
            const int inBlock = fragment.position() - block.position();
            const QTextLine line = layout->lineForTextPosition(inBlock);
            if (!line.isValid()) {
                return std::nullopt;
            }
            const QRectF blockRect = document.documentLayout()->blockBoundingRect(block);
            const double left = blockRect.left() + line.cursorToX(inBlock);
            const double right = blockRect.left() + line.cursorToX(inBlock + 1);
            const double height = line.ascent();
            return QRectF(left, blockRect.top() + line.y() + line.ascent() - height, right - left,
                          height);
        }
    }
    return std::nullopt;
}

// The layout puts a line it moved to the next page at that page's top in its own fixed-point
// units, a hair above the true top: so a line within this much above a page's foot belongs to the
// page below.
constexpr double kLayoutRounding = 1.0;

// Where a block's first line is, in the document's coordinates: a line the layout moved to the
// next page is there, though its block began on the page before.
double FirstLineTop(QTextDocument& document, const QTextBlock& block) {
    const QRectF rect = document.documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    return layout != nullptr && layout->lineCount() > 0 ? rect.top() + layout->lineAt(0).y()
                                                        : rect.top();
}

// A heading at the foot of a page, with what it heads on the next, goes to the next page too.
void KeepHeadingsWithWhatTheyHead(QTextDocument& document, double pageHeight) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (block.blockFormat().headingLevel() == 0 || !next.isValid()) {
            continue;
        }
        const auto page = [pageHeight](double y) {
            return static_cast<int>((y + kLayoutRounding) / pageHeight);
        };
        if (page(FirstLineTop(document, block)) != page(FirstLineTop(document, next))) {
            QTextBlockFormat format;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).mergeBlockFormat(format);
            // Laid out again from the heading on: what follows moved, tables and all. What comes
            // before it stays where it is, and a big circuit's segment table is not laid out twice.
            document.markContentsDirty(block.position(),
                                       document.characterCount() - block.position());
        }
    }
}

// Why `path` cannot be written, in words for the user.
QString WhyNotWritten(const QString& path, const QString& reason) {
    return QStringLiteral("Impossibile scrivere «%1»: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace

ReportHeader HeaderForToday(const QString& fileName) {
    return {QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString(),
            std::string(text::ProgramVersion()), fileName.toStdString()};
}

std::optional<int> PaintReport(QPagedPaintDevice& device, const circuit::Circuit& circuit,
                               const circuit::Solution& solution, const ReportHeader& header) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return std::nullopt;
    }
    const QRectF paper = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const QFont headFont = ReportFont(kHeadPoints);
    const QFontMetricsF headMetrics(headFont, &device);
    const double headHeight = headMetrics.height() * 2.2;
    const QRectF body(0.0, headHeight, paper.width(), paper.height() - 2 * headHeight);

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.setDefaultFont(ReportFont(kBodyPoints));
    document.setDocumentMargin(0);
    // The curve's place: an empty picture the layout makes room for; the curve is painted there.
    QImage blank(1, 1, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    document.addResource(QTextDocument::ImageResource, QUrl(FromUtf8(kCurveImage)), blank);
    std::string html = ReportHtml(circuit, solution, header);
    const std::string image = "<img src=\"" + std::string(kCurveImage) + "\"";
    if (const auto at = html.find(image); at != std::string::npos) {
        html.insert(at + image.size(), " width=\"" + std::to_string(kCurveWidth) + "\" height=\"" +
                                           std::to_string(kCurveHeight) + "\"");
    }
    document.setHtml(FromUtf8(html));
    document.setPageSize(body.size());
    KeepHeadingsWithWhatTheyHead(document, body.height());
    const int pages = document.pageCount();
    const std::optional<QRectF> curvePlace = CurvePlace(document);
    const SystemCurve curve = MakeSystemCurve(solution.pump);

    const QString title = FromUtf8(ReportTitle(circuit, header));
    const QString date = FromUtf8(header.date);
    const QString program = QStringLiteral("Idrovela ") + FromUtf8(header.version);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            device.newPage();
        }
        // The running head and foot.
        painter.setFont(headFont);
        painter.setPen(QColor(0x55, 0x55, 0x55));
        const double headBase = headMetrics.ascent();
        painter.drawText(QPointF(0, headBase),
                         QStringLiteral("Relazione di calcolo del circuito – ") + title);
        painter.drawText(QPointF(paper.width() - headMetrics.horizontalAdvance(date), headBase),
                         date);
        painter.drawLine(QPointF(0, headMetrics.height() * 1.3),
                         QPointF(paper.width(), headMetrics.height() * 1.3));
        const double footBase = paper.height() - headMetrics.descent();
        painter.drawText(QPointF(0, footBase), program);
        const QString number = QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(pages);
        painter.drawText(QPointF(paper.width() - headMetrics.horizontalAdvance(number), footBase),
                         number);

        // The page's share of the document.
        const QRectF share(0, page * body.height(), body.width(), body.height());
        painter.save();
        painter.translate(body.left(), body.top() - share.top());
        // The layout draws a table's borders whole; the page shows only its share.
        painter.setClipRect(share);
        QAbstractTextDocumentLayout::PaintContext context;
        // Not the lines that start at the next page's top: clipped away here, their text would
        // still be in the page, hidden, and found again at the foot when the PDF is searched.
        context.clip = share.adjusted(0, 0, 0, -kLayoutRounding);
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        // On the page the layout moved the curve's line to: a line never straddles two.
        if (curvePlace && share.contains(curvePlace->center())) {
            PaintSystemCurve(painter, *curvePlace, curve, ReportFont(kBodyPoints - 1), false);
        }
        painter.restore();
    }
    painter.end();
    return pages;
}

std::optional<QString> SaveReportPdf(const QString& path, const circuit::Circuit& circuit,
                                     const circuit::Solution& solution,
                                     const ReportHeader& header) {
    try {
        // Made first, so that a place that cannot be written is known before the pages are laid
        // out; the PDF goes into it whole.
        circuit::AtomicFile file(text::PathFromUtf8(path.toStdString()));
        QByteArray bytes;
        std::optional<int> pages;
        {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageOrientation(QPageLayout::Portrait);
            writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                  QPageLayout::Millimeter);
            writer.setTitle(QStringLiteral("Relazione di calcolo – ") +
                            FromUtf8(ReportTitle(circuit, header)));
            writer.setCreator(QStringLiteral("Idrovela ") + FromUtf8(header.version));
            pages = PaintReport(writer, circuit, solution, header);
        }
        if (!pages) {
            return WhyNotWritten(path, QStringLiteral("il PDF non si lascia disegnare"));
        }
        file.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        file.Commit(true);
    } catch (const circuit::FileError& error) {
        return WhyNotWritten(path, QString::fromUtf8(error.what()));
    }
    return std::nullopt;
}

void PrepareReportPrinter(QPrinter& printer, const circuit::Circuit& circuit,
                          const ReportHeader& header) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                           QPageLayout::Millimeter);
    printer.setDocName(QStringLiteral("Relazione di calcolo – ") +
                       FromUtf8(ReportTitle(circuit, header)));
}

}  // namespace idrovela::report::qt
