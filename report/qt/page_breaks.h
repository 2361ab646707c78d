#pragma once

// Where the report's pages break, beyond what the rich-text layout does by itself: a heading or
// a short paragraph at the foot of a page goes over with what it heads or introduces; a table or
// paragraph whose last line or two would stand alone at the top of a page goes over whole; and a
// section whose last lines would stand alone at the top of a page sends the piece before them
// along. Sections are the document's level-1 and level-2 headings with what follows them.

class QTextDocument;

namespace idrovela::report::qt {

// The layout puts a line it moved to the next page at that page's top in its own fixed-point
// units, a hair above the true top: so a line within this much above a page's foot belongs to the
// page below.
inline constexpr double kLayoutRounding = 1.0;

// A section's tail shorter than this many lines (a table's rows, a paragraph's lines; a picture
// counts as enough) is not left alone at the top of a page.
inline constexpr int kShortestTail = 3;

// Lays `document` out on pages `pageHeight` high (its page size already set) and sets page breaks
// before the headings and the pieces that must go over. A piece goes over only while it and what
// goes with it (the short paragraphs and the heading just before it) take at most 60 % of a page:
// a long table's last rows stay under its repeated captions. A heading always goes over.
void KeepSectionsTogether(QTextDocument& document, double pageHeight);

}  // namespace idrovela::report::qt
