// The house's floors: every library folder includes only its own folder and the folders below
// it, so that a room can be read, changed and tested without the rooms above it.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace idrovela {
namespace {

namespace fs = std::filesystem;

// Lowest first. A folder that does not exist is simply absent.
constexpr std::array<std::string_view, 18> kFloors = {
    "maths",      "calc",      "text",     "recalc",    "window",   "physics",
    "catalogues", "circuit",   "columns",  "tools",     "sheet",    "report",
    "session",    "window/qt", "tools/qt", "report/qt", "sheet/qt", "app",
};

std::optional<std::size_t> FloorNamed(std::string_view folder) {
    for (std::size_t floor = 0; floor < kFloors.size(); ++floor) {
        if (kFloors[floor] == folder) {
            return floor;
        }
    }
    return std::nullopt;
}

// The floor of a path under the root, "DIR/…" or "DIR/qt/…"; none for a folder of no floor.
std::optional<std::size_t> FloorOfPath(std::string_view path) {
    const std::size_t slash = path.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view folder = path.substr(0, slash);
    if (path.substr(slash + 1).starts_with("qt/")) {
        if (const auto qt = FloorNamed(std::string(folder) + "/qt")) {
            return qt;
        }
    }
    return FloorNamed(folder);
}

// The includes in quotes of a source, with their line numbers from 1.
std::vector<std::pair<std::size_t, std::string>> QuotedIncludes(const std::string& source) {
    const std::regex include(R"re(^[ \t]*#[ \t]*include[ \t]*"([^"]*)")re");
    std::vector<std::pair<std::size_t, std::string>> includes;
    std::istringstream lines(source);
    std::string line;
    for (std::size_t number = 1; std::getline(lines, line); ++number) {
        if (std::smatch match; std::regex_search(line, match, include)) {
            includes.emplace_back(number, match[1].str());
        }
    }
    return includes;
}

// What is wrong with `include` in a file on `floor`, or nothing.
std::optional<std::string> Fault(std::size_t floor, std::string_view include) {
    if (include.find('/') == std::string_view::npos) {
        return std::nullopt;  // beside the file, or generated into the build
    }
    const std::optional<std::size_t> included = FloorOfPath(include);
    if (!included) {
        return "a folder that is no floor";
    }
    if (*included > floor) {
        return std::string("up to ") + std::string(kFloors[*included]) + ", above " +
               std::string(kFloors[floor]);
    }
    return std::nullopt;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Floors, IncludesAreReadWithTheirLines) {
    EXPECT_EQ(QuotedIncludes("#include \"calc/numbers.h\"\n"
                             "\n"
                             "// #include \"sheet/tree.h\"\n"
                             "  #  include \"report/qt/schematic_view.h\"\n"
                             "#include <string>\n"
                             "#include \"embedded_files.h\""),
              (std::vector<std::pair<std::size_t, std::string>>{
                  {1, "calc/numbers.h"},
                  {4, "report/qt/schematic_view.h"},
                  {6, "embedded_files.h"},
              }));
}

TEST(Floors, AFolderIncludesItselfAndTheFloorsBelowOnly) {
    const struct {
        std::string_view file;
        std::string_view include;
        std::optional<std::string> fault;
    } cases[] = {
        {"text/quoted.cpp", "calc/numbers.h", std::nullopt},
        {"text/quoted.cpp", "text/utf8.h", std::nullopt},
        {"text/quoted.cpp", "recalc/ricalcola.h", "up to recalc, above text"},
        {"window/copy_values.cpp", "window/qt/keys.h", "up to window/qt, above window"},
        {"window/qt/keys.cpp", "window/controls.h", std::nullopt},
        {"sheet/qt/panels.cpp", "report/qt/schematic_view.h", std::nullopt},
        {"report/qt/schematic_view.cpp", "sheet/qt/panels.h", "up to sheet/qt, above report/qt"},
        {"session/session.cpp", "window/qt/keys.h", "up to window/qt, above session"},
        {"app/idrovela.cpp", "sheet/qt/circuit_windows.h", std::nullopt},
        {"circuit/check.cpp", "tests/support/values.h", "a folder that is no floor"},
        {"catalogues/built_in.cpp", "embedded_files.h", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<std::size_t> floor = FloorOfPath(c.file);
        ASSERT_TRUE(floor.has_value()) << c.file;
        EXPECT_EQ(Fault(*floor, c.include), c.fault) << c.file << " → " << c.include;
    }
}

TEST(Floors, NoFolderIncludesOneAboveIt) {
    const fs::path root = IDROVELA_SOURCE_DIR;
    std::vector<std::string> faults;
    std::size_t files = 0;
    for (const std::string_view folder : kFloors) {
        if (!fs::is_directory(root / folder)) {
            continue;
        }
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
            const fs::path& path = entry.path();
            if (!entry.is_regular_file() ||
                (path.extension() != ".h" && path.extension() != ".cpp")) {
                continue;
            }
            const std::string relative = path.lexically_relative(root).generic_string();
            const std::optional<std::size_t> floor = FloorOfPath(relative);
            if (!floor || kFloors[*floor] != folder) {
                continue;  // a deeper floor's, read with its own
            }
            ++files;
            for (const auto& [line, include] : QuotedIncludes(Read(path))) {
                if (const std::optional<std::string> fault = Fault(*floor, include)) {
                    faults.push_back(relative + ":" + std::to_string(line) + ": #include \"" +
                                     include + "\" reaches " + *fault);
                }
            }
        }
    }
    EXPECT_GT(files, 100u) << "the sources were not found under " << root;
    std::string list;
    for (const std::string& fault : faults) {
        list += fault + '\n';
    }
    EXPECT_TRUE(faults.empty()) << list;
}

}  // namespace
}  // namespace idrovela
