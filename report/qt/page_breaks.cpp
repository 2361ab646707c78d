#include "report/qt/page_breaks.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <algorithm>
#include <vector>

namespace idrovela::report::qt {

namespace {

// What goes over with a tail takes at most this share of a page.
constexpr double kMostThatGoesOver = 0.6;
// A paragraph of at most this many lines goes over with what it introduces.
constexpr int kIntroductionLines = 3;

// A piece of the document's body: a paragraph or heading, or a table.
struct Piece {
    QTextBlock block;             // when not a table
    QTextTable* table = nullptr;  // when a table
};

class Pages {
  public:
    Pages(QTextDocument& document, double pageHeight)
        : document_(document), pageHeight_(pageHeight) {}

    [[nodiscard]] int PageOf(double y) const {
        return static_cast<int>((y + kLayoutRounding) / pageHeight_);
    }

    // Where a block's first line is: a line the layout moved to the next page is there, though
    // its block began on the page before.
    [[nodiscard]] double FirstLineTop(const QTextBlock& block) const {
        const QRectF rect = document_.documentLayout()->blockBoundingRect(block);
        const QTextLayout* layout = block.layout();
        return layout != nullptr && layout->lineCount() > 0 ? rect.top() + layout->lineAt(0).y()
                                                            : rect.top();
    }

    [[nodiscard]] double RowTop(QTextTable* table, int row) const {
        return FirstLineTop(table->cellAt(row, 0).firstCursorPosition().block());
    }

    [[nodiscard]] double Top(const Piece& piece) const {
        return piece.table != nullptr ? RowTop(piece.table, 0) : FirstLineTop(piece.block);
    }

    // Where its last line or row starts.
    [[nodiscard]] double LastTop(const Piece& piece) const {
        if (piece.table != nullptr) {
            return RowTop(piece.table, piece.table->rows() - 1);
        }
        const QRectF rect = document_.documentLayout()->blockBoundingRect(piece.block);
        const QTextLayout* layout = piece.block.layout();
        return layout != nullptr && layout->lineCount() > 0
                   ? rect.top() + layout->lineAt(layout->lineCount() - 1).y()
                   : rect.top();
    }

    [[nodiscard]] double Bottom(const Piece& piece) const {
        if (piece.table != nullptr) {
            return document_.documentLayout()->frameBoundingRect(piece.table).bottom();
        }
        return document_.documentLayout()->blockBoundingRect(piece.block).bottom();
    }

    // How many of its lines, or of its rows below the captions, start on `page`. A picture is
    // never a short tail.
    [[nodiscard]] int LinesOn(const Piece& piece, int page) const {
        int lines = 0;
        if (piece.table != nullptr) {
            const int captions = piece.table->format().headerRowCount();
            for (int row = piece.table->rows() - 1; row >= captions; --row) {
                const int at = PageOf(RowTop(piece.table, row));
                if (at < page) {
                    break;
                }
                lines += at == page ? 1 : 0;
            }
            return lines;
        }
        const QRectF rect = document_.documentLayout()->blockBoundingRect(piece.block);
        const QTextLayout* layout = piece.block.layout();
        const bool picture = piece.block.text().contains(QChar::ObjectReplacementCharacter);
        for (int i = 0; layout != nullptr && i < layout->lineCount(); ++i) {
            if (PageOf(rect.top() + layout->lineAt(i).y()) == page) {
                lines += picture ? kShortestTail : 1;
            }
        }
        return lines;
    }

    // Starts the piece on a new page; laid out again from there on: what follows moves, tables
    // and all, and what comes before stays where it is, so a big circuit's segment table is not
    // laid out twice.
    void BreakBefore(const Piece& piece) {
        int from = 0;
        if (piece.table != nullptr) {
            QTextTableFormat format = piece.table->format();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            piece.table->setFormat(format);
            from = std::max(0, piece.table->firstPosition() - 1);
        } else {
            QTextBlockFormat format;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(piece.block).mergeBlockFormat(format);
            from = piece.block.position();
        }
        document_.markContentsDirty(from, document_.characterCount() - from);
    }

    [[nodiscard]] double PageHeight() const { return pageHeight_; }

  private:
    QTextDocument& document_;
    double pageHeight_;
};

int HeadingLevel(const Piece& piece) {
    return piece.table != nullptr ? 0 : piece.block.blockFormat().headingLevel();
}

bool StartsSection(const Piece& piece) {
    const int level = HeadingLevel(piece);
    return level == 1 || level == 2;
}

std::vector<Piece> PiecesOf(QTextDocument& document) {
    std::vector<Piece> pieces;
    for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(frame)) {
                pieces.push_back({{}, table});
            }
        } else if (!it.currentBlock().text().isEmpty()) {
            // Not the empty paragraphs the layout tucks into a table's border.
            pieces.push_back({it.currentBlock(), nullptr});
        }
    }
    return pieces;
}

bool IsPicture(const Piece& piece) {
    return piece.table == nullptr && piece.block.text().contains(QChar::ObjectReplacementCharacter);
}

// A heading, or a paragraph short enough to go over with what it introduces.
bool Introduces(const Piece& piece) {
    if (piece.table != nullptr || IsPicture(piece)) {
        return false;
    }
    return HeadingLevel(piece) > 0 || piece.block.layout()->lineCount() <= kIntroductionLines;
}

// The first of what goes over with pieces[i]: the headings and short paragraphs just before it,
// back to the nearest heading, within [first, i].
std::size_t LeadOf(const std::vector<Piece>& pieces, std::size_t first, std::size_t i) {
    std::size_t start = i;
    while (start > first && Introduces(pieces[start - 1]) && HeadingLevel(pieces[start]) == 0) {
        --start;
    }
    return start;
}

// Starts pieces[start] on a new page when [start, last] takes at most kMostThatGoesOver of one.
void SendOver(Pages& pages, const std::vector<Piece>& pieces, std::size_t start, std::size_t last) {
    const double height = pages.Bottom(pieces[last]) - pages.Top(pieces[start]);
    if (height <= kMostThatGoesOver * pages.PageHeight()) {
        pages.BreakBefore(pieces[start]);
    }
}

// A heading or a short paragraph at the foot of a page, with what it heads or introduces on the
// next, goes to the next page too, with the heading and short paragraphs just before it.
void KeepIntroductionWithNext(Pages& pages, const std::vector<Piece>& pieces, std::size_t i) {
    if (!Introduces(pieces[i]) || i + 1 >= pieces.size() ||
        pages.PageOf(pages.LastTop(pieces[i])) == pages.PageOf(pages.Top(pieces[i + 1]))) {
        return;
    }
    if (HeadingLevel(pieces[i]) > 0) {
        pages.BreakBefore(pieces[i]);  // whatever it heads: a heading never ends a page
        return;
    }
    SendOver(pages, pieces, LeadOf(pieces, 0, i), i);
}

// A table or paragraph that runs onto a page with only its last line or two goes over whole,
// with its heading and introduction, when they are short.
void KeepShortTailWithPiece(Pages& pages, const std::vector<Piece>& pieces, std::size_t i) {
    const int last = pages.PageOf(pages.LastTop(pieces[i]));
    if (last == pages.PageOf(pages.Top(pieces[i])) ||
        pages.LinesOn(pieces[i], last) >= kShortestTail) {
        return;
    }
    SendOver(pages, pieces, LeadOf(pieces, 0, i), i);
}

// The section [first, end) of pieces, its heading first: when its last page holds only a short
// tail, the piece before the tail goes over with it, with the heading and the short paragraphs
// just before that piece.
void KeepTailWithSection(Pages& pages, const std::vector<Piece>& pieces, std::size_t first,
                         std::size_t end) {
    if (end - first < 2) {
        return;
    }
    const int last = pages.PageOf(pages.LastTop(pieces[end - 1]));
    if (last == pages.PageOf(pages.Top(pieces[first]))) {
        return;
    }
    // The last piece that starts before the last page: the tail is what follows it there.
    std::size_t before = end - 1;
    while (before > first && pages.PageOf(pages.Top(pieces[before])) >= last) {
        --before;
    }
    if (before == first) {
        return;  // the heading alone before the page: KeepIntroductionWithNext's case
    }
    int tail = 0;
    for (std::size_t i = before; i < end; ++i) {
        tail += pages.LinesOn(pieces[i], last);
    }
    if (tail >= kShortestTail) {
        return;
    }
    SendOver(pages, pieces, LeadOf(pieces, first, before), before);
}

}  // namespace

void KeepSectionsTogether(QTextDocument& document, double pageHeight) {
    Pages pages(document, pageHeight);
    const std::vector<Piece> pieces = PiecesOf(document);
    std::size_t section = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > section && StartsSection(pieces[i])) {
            KeepTailWithSection(pages, pieces, section, i);
            section = i;
        }
        KeepShortTailWithPiece(pages, pieces, i);
        KeepIntroductionWithNext(pages, pieces, i);
    }
    KeepTailWithSection(pages, pieces, section, pieces.size());
}

}  // namespace idrovela::report::qt
