// The catalogue reader's properties, checked against a plain model of the file's lines: which
// are blank, comments, the header and data rows, and where the caps stop the reading.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/file_lines.h"
#include "catalogues/read_series.h"
#include "catalogues/tube_row.h"
#include "fuzz/checks.h"
#include "fuzz/utf8.h"

namespace idrovela::fuzz {

namespace {

using catalogues::Problem;
using catalogues::Series;
using catalogues::Tube;

constexpr std::string_view kLabel = "fuzz.csv";
// Far above the longest message the reader writes: a quotation is at most 40 characters.
constexpr std::size_t kMaxMessageBytes = 1000;

void Require(bool holds, const std::string& what) {
    if (!holds) {
        throw PropertyBroken(what);
    }
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// What the reader should make of the text's lines.
struct Model {
    int lineCount = 0;           // of the whole text
    int firstIgnoredLine = 0;    // 0 when the caps leave the text whole
    int headerLine = 0;          // the first line neither blank nor a comment; 0 without one
    bool headerMatches = false;  // that line is the header row
    bool empty = true;           // no line but blank ones, and nothing ignored
    std::vector<int> commentsBeforeHeader;
    std::vector<int> dataLines;  // after a matching header: lines neither blank nor comments
};

Model ModelOf(std::string_view text) {
    Model model;
    model.lineCount = static_cast<int>(std::count(text.begin(), text.end(), '\n')) +
                      (!text.empty() && text.back() != '\n' ? 1 : 0);
    std::string_view read = text;
    if (read.size() > catalogues::kMaxBytes) {
        const std::size_t lastBreak = read.substr(0, catalogues::kMaxBytes).rfind('\n');
        read = read.substr(0, lastBreak == std::string_view::npos ? 0 : lastBreak + 1);
    }
    if (read.starts_with("\xEF\xBB\xBF")) {
        read.remove_prefix(3);
    }
    int number = 0;
    while (!read.empty()) {
        ++number;
        if (number > catalogues::kMaxLines) {
            break;
        }
        const std::size_t lineBreak = read.find('\n');
        std::string_view line = read.substr(0, lineBreak);
        read =
            lineBreak == std::string_view::npos ? std::string_view() : read.substr(lineBreak + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (IsBlank(line)) {
            continue;
        }
        model.empty = false;
        const bool comment = line.starts_with('#');
        if (model.headerLine == 0) {
            if (comment) {
                model.commentsBeforeHeader.push_back(number);
            } else {
                model.headerLine = number;
                model.headerMatches = line == catalogues::kHeader;
            }
        } else if (model.headerMatches && !comment) {
            model.dataLines.push_back(number);
        }
    }
    const int linesRead = std::min(number, catalogues::kMaxLines);
    if (number > catalogues::kMaxLines || text.size() > catalogues::kMaxBytes) {
        model.firstIgnoredLine = linesRead + 1;
        model.empty = false;
    }
    return model;
}

void CheckTubes(const Series& series) {
    std::set<std::string> designations;
    const Tube* previous = nullptr;
    for (const Tube& tube : series.tubes) {
        const std::string name = "tube «" + tube.designation + "»";
        Require(!tube.designation.empty() && IsUtf8(tube.designation), name + ": bad designation");
        Require(!IsBlank(tube.designation.substr(0, 1)) &&
                    !IsBlank(tube.designation.substr(tube.designation.size() - 1)),
                name + ": designation not trimmed");
        Require(designations.insert(tube.designation).second, name + ": designation repeated");
        for (const double dimension : {tube.outerMm, tube.wallMm, tube.innerMm}) {
            Require(std::isfinite(dimension) && dimension > 0.0, name + ": dimension not positive");
            Require(dimension <= catalogues::kMaxDimensionMm, name + ": dimension too large");
        }
        Require(std::isfinite(tube.roughnessMm) && tube.roughnessMm >= 0.0 &&
                    tube.roughnessMm <= catalogues::kMaxDimensionMm,
                name + ": bad roughness");
        const double twoWalls = 2.0 * tube.wallMm;
        const double expectedInner = tube.outerMm - twoWalls;
        Require(std::fabs(tube.innerMm - expectedInner) <=
                    catalogues::kInnerToleranceMm + catalogues::kRepresentationMarginMm,
                name + ": inner diameter disagrees with outer - 2 wall");
        if (previous != nullptr) {
            const bool ordered =
                previous->innerMm < tube.innerMm ||
                (previous->innerMm == tube.innerMm && previous->outerMm <= tube.outerMm);
            Require(ordered, name + ": out of order");
        }
        previous = &tube;
    }
}

void CheckProblems(const Model& model, const Series& series, const std::vector<Problem>& problems) {
    std::vector<int> lines;
    for (const Problem& problem : problems) {
        Require(problem.file == kLabel, "problem under another file: " + problem.file);
        Require(problem.line >= 0 && problem.line <= model.lineCount,
                "problem line " + std::to_string(problem.line) + " beyond the text's " +
                    std::to_string(model.lineCount) + " lines");
        Require(!problem.message.empty() && problem.message.size() <= kMaxMessageBytes &&
                    IsUtf8(problem.message),
                "problem message empty, too long or not UTF-8");
        Require(std::none_of(problem.message.begin(), problem.message.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
                "problem message with a control character");
        lines.push_back(problem.line);
    }
    const auto countOf = [&](int line) { return std::count(lines.begin(), lines.end(), line); };

    if (model.firstIgnoredLine != 0) {
        Require(countOf(model.firstIgnoredLine) == 1, "no single problem where the caps stop");
    }
    std::size_t accounted = 0;
    if (model.empty) {
        Require(lines == std::vector<int>{0}, "an empty file is not one problem");
        Require(series.tubes.empty(), "tubes from an empty file");
        return;
    }
    for (const int line : model.commentsBeforeHeader) {
        Require(countOf(line) <= 1, "a comment with two problems");
        accounted += static_cast<std::size_t>(countOf(line));
    }
    if (!model.headerMatches) {
        Require(series.tubes.empty(), "tubes without the header");
        // The header's own problem, or line 0 without a header line.
        Require(countOf(model.headerLine) == 1, "no single problem for the header");
        accounted += 1;
    } else {
        std::size_t skipped = 0;
        for (const int line : model.dataLines) {
            Require(countOf(line) <= 1, "a data line with two problems");
            skipped += static_cast<std::size_t>(countOf(line));
        }
        Require(series.tubes.size() + skipped == model.dataLines.size(),
                "tubes and skipped lines do not add up to the data lines");
        Require(countOf(0) == (series.tubes.empty() ? 1 : 0),
                "a file without tubes is not one problem, or one with tubes is");
        accounted += skipped + static_cast<std::size_t>(countOf(0));
    }
    accounted += model.firstIgnoredLine != 0 ? 1 : 0;
    Require(accounted == problems.size(), "problems on lines that are neither data nor comments");
}

Series Read(std::string_view text, std::vector<Problem>& problems) {
    try {
        return catalogues::ReadSeries("fuzz", kLabel, text, problems);
    } catch (const std::exception& error) {
        throw PropertyBroken(std::string("ReadSeries threw: ") + error.what());
    } catch (...) {
        throw PropertyBroken("ReadSeries threw");
    }
}

bool SameTubes(const Series& a, const Series& b) {
    return std::equal(a.tubes.begin(), a.tubes.end(), b.tubes.begin(), b.tubes.end(),
                      [](const Tube& x, const Tube& y) {
                          return x.designation == y.designation && x.outerMm == y.outerMm &&
                                 x.wallMm == y.wallMm && x.innerMm == y.innerMm &&
                                 x.roughnessMm == y.roughnessMm;
                      });
}

}  // namespace

void CheckCatalogueText(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<Problem> problems;
    const Series series = Read(text, problems);
    Require(series.name == "fuzz" && series.origin == kLabel, "name or origin changed");
    Require(IsUtf8(series.title), "title not UTF-8");
    for (const std::string& note : series.notes) {
        Require(IsUtf8(note), "note not UTF-8");
    }
    CheckTubes(series);
    CheckProblems(ModelOf(text), series, problems);

    // The same file with Windows line endings reads the same, within the byte cap.
    if (text.find('\r') == std::string_view::npos && 2 * size <= catalogues::kMaxBytes) {
        std::string windows;
        for (const char c : text) {
            windows += c == '\n' ? std::string_view("\r\n") : std::string_view(&c, 1);
        }
        std::vector<Problem> windowsProblems;
        const Series windowsSeries = Read(windows, windowsProblems);
        Require(SameTubes(series, windowsSeries) && series.title == windowsSeries.title &&
                    series.notes == windowsSeries.notes,
                "Windows line endings read otherwise");
        Require(std::equal(problems.begin(), problems.end(), windowsProblems.begin(),
                           windowsProblems.end(),
                           [](const Problem& a, const Problem& b) {
                               return a.line == b.line && a.message == b.message;
                           }),
                "Windows line endings give other problems");
    }
}

}  // namespace idrovela::fuzz
