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
#include <QTextFrame>
#include <QTextLayout>
#include <QUrl>
#include <map>
#include <vector>

#include "circuit/file_error.h"
#include "circuit/file_system.h"
#include "report/qt/curve_painter.h"
#include "report/qt/page_breaks.h"
#include "report/qt/schematic_painter.h"
#include "report/schematic_pages.h"
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

// The report's pictures, which the layout makes room for and which are painted there.
constexpr double kHtmlDpi = 96.0;  // HTML sizes its images in 1/96 inch

// Where the layout put each picture, by name, in the document's coordinates. Pictures are
// paragraphs of their own, so only the body's paragraphs are looked at, not a table's cells.
std::map<QString, QRectF> PicturePlaces(QTextDocument& document) {
    std::map<QString, QRectF> places;
    for (QTextFrame::iterator frame = document.rootFrame()->begin(); !frame.atEnd(); ++frame) {
        const QTextBlock block = frame.currentBlock();
        if (!block.isValid() || !block.text().contains(QChar::ObjectReplacementCharacter)) {
            continue;
        }
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) {
                continue;
            }
            const QTextLayout* layout = block.layout();
            const int inBlock = fragment.position() - block.position();
            const QTextLine line = layout->lineForTextPosition(inBlock);
            if (!line.isValid()) {
                continue;
            }
            const QRectF blockRect = document.documentLayout()->blockBoundingRect(block);
            const double left = blockRect.left() + line.cursorToX(inBlock);
            const double right = blockRect.left() + line.cursorToX(inBlock + 1);
            places[fragment.charFormat().toImageFormat().name()] =
                QRectF(left, blockRect.top() + line.y(), right - left, line.ascent());
        }
    }
    return places;
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
    // The pictures' places: empty pictures the layout makes room for; the curve and the
    // schematic's parts are painted there, as lines.
    const PageRoom room{body.width() * kHtmlDpi / device.logicalDpiX(),
                        body.height() * kHtmlDpi / device.logicalDpiY()};
    const std::optional<SchematicPages> schematic = PlanSchematicPages(circuit, solution, room);
    const std::size_t parts = schematic ? schematic->parts.size() : 0;
    QImage blank(1, 1, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    document.addResource(QTextDocument::ImageResource, QUrl(FromUtf8(kCurveImage)), blank);
    for (std::size_t part = 0; part < parts; ++part) {
        document.addResource(QTextDocument::ImageResource, QUrl(FromUtf8(SchematicImage(part))),
                             blank);
    }
    std::string html = ReportHtml(circuit, solution, header, room);
    const std::string image = "<img src=\"" + std::string(kCurveImage) + "\"";
    if (const auto at = html.find(image); at != std::string::npos) {
        html.insert(at + image.size(), " width=\"" + std::to_string(kCurveWidth) + "\" height=\"" +
                                           std::to_string(kCurveHeight) + "\"");
    }
    document.setHtml(FromUtf8(html));
    document.setPageSize(body.size());
    KeepSectionsTogether(document, body.height());
    const int pages = document.pageCount();
    const std::map<QString, QRectF> places = PicturePlaces(document);
    const auto placeOf = [&places](const std::string& name) -> std::optional<QRectF> {
        const auto found = places.find(FromUtf8(name));
        return found != places.end() ? std::optional<QRectF>(found->second) : std::nullopt;
    };
    const std::optional<QRectF> curvePlace = placeOf(std::string(kCurveImage));
    std::vector<std::optional<QRectF>> partPlaces;
    for (std::size_t part = 0; part < parts; ++part) {
        partPlaces.push_back(placeOf(SchematicImage(part)));
    }
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
        for (std::size_t part = 0; part < parts; ++part) {
            if (partPlaces[part] && share.contains(partPlaces[part]->center())) {
                PaintSchematicPart(painter, *partPlaces[part], *schematic, part);
            }
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
