#include "catalogues/file_lines.h"

#include <algorithm>

namespace idrovela::catalogues {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

FileLines SplitLines(std::string_view text) {
    FileLines file;
    std::string_view usable = text;
    bool overByteCap = false;
    if (usable.size() > kMaxBytes) {
        overByteCap = true;
        const std::size_t lastBreak = usable.substr(0, kMaxBytes).rfind('\n');
        usable = usable.substr(0, lastBreak == std::string_view::npos ? 0 : lastBreak + 1);
    }
    std::size_t at = 0;
    if (usable.starts_with(kByteOrderMark)) {
        at = kByteOrderMark.size();
    }
    int number = 0;
    while (at < usable.size()) {
        if (number == kMaxLines) {
            file.firstIgnoredLine = number + 1;
            file.ignoredReason = "il file supera le " + std::to_string(kMaxLines) +
                                 " righe: ignorato dalla riga " +
                                 std::to_string(file.firstIgnoredLine) + " in poi";
            return file;
        }
        const std::size_t lineBreak = std::min(usable.find('\n', at), usable.size());
        std::string_view line = usable.substr(at, lineBreak - at);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        ++number;
        file.lines.push_back({number, line});
        at = lineBreak + 1;
    }
    if (overByteCap) {
        file.firstIgnoredLine = number + 1;
        file.ignoredReason = "il file supera 1 MiB: ignorato dalla riga " +
                             std::to_string(file.firstIgnoredLine) + " in poi";
    }
    return file;
}

}  // namespace idrovela::catalogues
