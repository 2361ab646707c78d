#include "text/tab_separated.h"

namespace idrovela::text {

std::string TabSeparatedCell(std::string_view text) {
    std::string cell(text);
    for (char& c : cell) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return cell;
}

}  // namespace idrovela::text
