#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace idrovela::catalogues {

// A catalogue file is read up to whichever comes first of these; the rest is ignored, with one
// problem. The byte cap keeps a file without line breaks from taking any amount of memory.
inline constexpr int kMaxLines = 10'000;
inline constexpr std::size_t kMaxBytes = std::size_t{1} << 20U;

struct NumberedLine {
    int number = 0;         // from 1
    std::string_view text;  // without its line ending
};

struct FileLines {
    std::vector<NumberedLine> lines;  // the lines within the caps
    int firstIgnoredLine = 0;         // 0 when the whole text was read
    std::string ignoredReason;        // why the lines from there on were ignored
};

// The text's lines, numbered from 1. A UTF-8 byte order mark at the start is dropped; a line
// ends at "\n" or "\r\n". Under the byte cap only whole lines are kept, so that no line is ever
// read cut short.
[[nodiscard]] FileLines SplitLines(std::string_view text);

}  // namespace idrovela::catalogues
