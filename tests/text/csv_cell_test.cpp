#include "text/csv_cell.h"

#include <gtest/gtest.h>

namespace idrovela::text {
namespace {

// A text that a spreadsheet would run as a formula is shown as a text; a figure stays a figure.
TEST(CsvCell, QuotesWhatWouldSplitTheCellAndNeverRunsAFormula) {
    const struct {
        const char* text;
        const char* cell;
    } cases[] = {
        {"-12,5", "-12,5"},
        {"+39", "'+39"},
        {"pulito, senza virgolette", "pulito, senza virgolette"},
        {"x\"y", "\"x\"\"y\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CsvCell(c.text), c.cell) << c.text;
    }
}

}  // namespace
}  // namespace idrovela::text
