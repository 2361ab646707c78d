#include "catalogues/read_series.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "catalogues/file_lines.h"
#include "catalogues/tube_row.h"
#include "text/quoted.h"
#include "text/utf8.h"

namespace idrovela::catalogues {

namespace {

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool IsComment(std::string_view line) {
    return line.starts_with('#');
}

std::string_view CommentText(std::string_view line) {
    line.remove_prefix(1);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = line.find_last_not_of(" \t");
    return line.substr(first, last - first + 1);
}

std::string NotUtf8(std::string_view line, std::size_t badByte) {
    return "testo non UTF-8 (byte " + std::to_string(badByte + 1) +
           " della riga): " + text::Quoted(line, text::Quoting::Escaped);
}

class SeriesReader {
  public:
    SeriesReader(std::string_view name, std::string_view fileLabel, std::vector<Problem>& problems)
        : fileLabel_(fileLabel), problems_(problems) {
        series_.name = name;
        series_.title = name;
        series_.origin = fileLabel;
    }

    Series Read(std::string_view text) {
        const FileLines file = SplitLines(text);
        const bool blank = std::all_of(file.lines.begin(), file.lines.end(),
                                       [](const NumberedLine& line) { return IsBlank(line.text); });
        if (blank && file.firstIgnoredLine == 0) {
            Report(0, "file vuoto");
            return std::move(series_);
        }
        ReadLines(file.lines);
        if (file.firstIgnoredLine != 0) {
            Report(file.firstIgnoredLine, file.ignoredReason);
        }
        if (headerRead_ && series_.tubes.empty()) {
            Report(0, "nessun tubo valido: file ignorato");
        }
        std::stable_sort(series_.tubes.begin(), series_.tubes.end(),
                         [](const Tube& a, const Tube& b) {
                             if (a.innerMm != b.innerMm) {
                                 return a.innerMm < b.innerMm;
                             }
                             return a.outerMm < b.outerMm;
                         });
        return std::move(series_);
    }

  private:
    using LineIterator = std::vector<NumberedLine>::const_iterator;

    void ReadLines(const std::vector<NumberedLine>& lines) {
        auto line = ReadComments(lines.begin(), lines.end());
        if (line == lines.end()) {
            Report(0, "manca la riga d'intestazione " + ExpectedHeader() + ": file ignorato");
            return;
        }
        if (line->text != kHeader) {
            Report(line->number,
                   "riga d'intestazione diversa da " + ExpectedHeader() + ": trovata " +
                       text::Quoted(line->text, text::Quoting::Escaped) + "; file ignorato");
            return;
        }
        headerRead_ = true;
        for (++line; line != lines.end(); ++line) {
            ReadDataLine(*line);
        }
    }

    static std::string ExpectedHeader() { return "«" + std::string(kHeader) + "»"; }

    // Reads the comments before the header; returns the first line that is neither blank nor a
    // comment, or `end`.
    LineIterator ReadComments(LineIterator line, LineIterator end) {
        bool titleRead = false;
        for (; line != end; ++line) {
            if (IsBlank(line->text)) {
                continue;
            }
            if (!IsComment(line->text)) {
                return line;
            }
            const bool isTitle = !titleRead;
            titleRead = true;
            const std::size_t badByte = text::FirstInvalidUtf8(line->text);
            if (badByte != std::string_view::npos) {
                Report(line->number, "commento ignorato, " + NotUtf8(line->text, badByte));
                continue;
            }
            const std::string_view comment = CommentText(line->text);
            if (isTitle && !comment.empty()) {
                series_.title = comment;
            } else if (!isTitle && !comment.empty()) {
                series_.notes.emplace_back(comment);
            }
        }
        return end;
    }

    void ReadDataLine(const NumberedLine& line) {
        if (IsBlank(line.text) || IsComment(line.text)) {
            return;
        }
        const std::size_t badByte = text::FirstInvalidUtf8(line.text);
        if (badByte != std::string_view::npos) {
            Report(line.number, NotUtf8(line.text, badByte));
            return;
        }
        TubeRow row = ReadTubeRow(line.text);
        if (auto* message = std::get_if<std::string>(&row)) {
            Report(line.number, std::move(*message));
            return;
        }
        Tube& tube = std::get<Tube>(row);
        const auto [first, inserted] = designationLines_.emplace(tube.designation, line.number);
        if (!inserted) {
            Report(line.number, "designazione " +
                                    text::Quoted(tube.designation, text::Quoting::Escaped) +
                                    " già usata alla riga " + std::to_string(first->second));
            return;
        }
        series_.tubes.push_back(std::move(tube));
    }

    void Report(int line, std::string message) {
        problems_.push_back({std::string(fileLabel_), line, std::move(message)});
    }

    std::string_view fileLabel_;
    std::vector<Problem>& problems_;
    Series series_;
    bool headerRead_ = false;
    std::map<std::string, int, std::less<>> designationLines_;
};

}  // namespace

Series ReadSeries(std::string_view name, std::string_view fileLabel, std::string_view text,
                  std::vector<Problem>& problems) {
    return SeriesReader(name, fileLabel, problems).Read(text);
}

}  // namespace idrovela::catalogues
