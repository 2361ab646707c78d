#include "catalogues/catalogue_file.h"

#include <algorithm>
#include <utility>

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

class FileReader {
  public:
    FileReader(std::string_view name, std::string_view fileLabel, std::string_view header,
               std::vector<Problem>& problems, const std::function<void(const NumberedLine&)>& row)
        : fileLabel_(fileLabel), header_(header), problems_(problems), row_(row) {
        read_.title = name;
    }

    CatalogueText Read(std::string_view text) {
        const FileLines file = SplitLines(text);
        const bool blank = std::all_of(file.lines.begin(), file.lines.end(),
                                       [](const NumberedLine& line) { return IsBlank(line.text); });
        if (blank && file.firstIgnoredLine == 0) {
            Report(0, "file vuoto");
            return std::move(read_);
        }
        ReadLines(file.lines);
        if (file.firstIgnoredLine != 0) {
            Report(file.firstIgnoredLine, file.ignoredReason);
        }
        return std::move(read_);
    }

  private:
    using LineIterator = std::vector<NumberedLine>::const_iterator;

    void ReadLines(const std::vector<NumberedLine>& lines) {
        auto line = ReadComments(lines.begin(), lines.end());
        if (line == lines.end()) {
            Report(0, "manca la riga d'intestazione " + ExpectedHeader() + ": file ignorato");
            return;
        }
        if (line->text != header_) {
            Report(line->number,
                   "riga d'intestazione diversa da " + ExpectedHeader() + ": trovata " +
                       text::Quoted(line->text, text::Quoting::Escaped) + "; file ignorato");
            return;
        }
        read_.headerRead = true;
        for (++line; line != lines.end(); ++line) {
            ReadDataLine(*line);
        }
    }

    [[nodiscard]] std::string ExpectedHeader() const { return "«" + std::string(header_) + "»"; }

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
                read_.title = comment;
            } else if (!isTitle && !comment.empty()) {
                read_.notes.emplace_back(comment);
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
        row_(line);
    }

    void Report(int line, std::string message) {
        problems_.push_back({std::string(fileLabel_), line, std::move(message)});
    }

    std::string_view fileLabel_;
    std::string_view header_;
    std::vector<Problem>& problems_;
    const std::function<void(const NumberedLine&)>& row_;
    CatalogueText read_;
};

}  // namespace

CatalogueText ReadCatalogueFile(std::string_view name, std::string_view fileLabel,
                                std::string_view text, std::string_view header,
                                std::vector<Problem>& problems,
                                const std::function<void(const NumberedLine&)>& row) {
    return FileReader(name, fileLabel, header, problems, row).Read(text);
}

}  // namespace idrovela::catalogues
