#include "text/csv_cell.h"

namespace idrovela::text {

namespace {

// A figure as the program writes one: digits with at most one decimal comma.
bool IsFigure(std::string_view text) {
    bool digits = false;
    bool comma = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == ',' && !comma) {
            comma = true;
        } else {
            return false;
        }
    }
    return digits;
}

bool RunsAsFormula(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    switch (text.front()) {
        case '=':
        case '+':
        case '@':
        case '\t':
        case '\r':
            return true;
        case '-':
            return !IsFigure(text.substr(1));
        default:
            return false;
    }
}

}  // namespace

std::string CsvCell(std::string_view text) {
    std::string cell = RunsAsFormula(text) ? "'" : "";
    cell += text;
    if (cell.find_first_of(";\"\n\r") == std::string::npos) {
        return cell;
    }
    std::string quoted = "\"";
    for (const char c : cell) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace idrovela::text
