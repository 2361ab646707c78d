#include "catalogues/user_catalogues.h"

#include <algorithm>
#include <exception>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "catalogues/built_in.h"
#include "catalogues/emitter_row.h"
#include "catalogues/file_lines.h"
#include "catalogues/read_series.h"
#include "text/path_text.h"

namespace idrovela::catalogues {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".csv";

void Report(std::vector<Problem>& problems, const fs::path& path, std::string message) {
    problems.push_back({text::Utf8OfPath(path), 0, std::move(message)});
}

std::string SystemReason(const std::error_code& error) {
    return " (" + error.message() + ")";
}

// The *.csv paths in the folder, in name order.
std::vector<fs::path> CsvFilesIn(const fs::path& dir, std::vector<Problem>& problems) {
    std::vector<fs::path> paths;
    std::error_code error;
    const fs::file_status status = fs::status(dir, error);
    if (status.type() == fs::file_type::not_found) {
        return paths;
    }
    if (error) {
        Report(problems, dir, "cartella dei cataloghi non leggibile" + SystemReason(error));
        return paths;
    }
    if (status.type() != fs::file_type::directory) {
        Report(problems, dir, "non è una cartella: i cataloghi dell'utente non sono letti");
        return paths;
    }
    for (fs::directory_iterator entry(dir, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().extension() == kExtension) {
            paths.push_back(entry->path());
        }
    }
    if (error) {
        Report(problems, dir, "cartella dei cataloghi non leggibile" + SystemReason(error));
    }
    std::sort(paths.begin(), paths.end(), [](const fs::path& a, const fs::path& b) {
        return text::Utf8OfPath(a.stem()) < text::Utf8OfPath(b.stem());
    });
    return paths;
}

// Up to `limit` bytes of a regular file, or none after a problem.
std::optional<std::string> ReadAtMost(const fs::path& path, std::size_t limit,
                                      std::vector<Problem>& problems) {
    // A FIFO or a device would block the read or never end: only regular files are read.
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) {
        Report(problems, path, "file non leggibile" + SystemReason(error));
        return std::nullopt;
    }
    if (status.type() == fs::file_type::directory) {
        Report(problems, path, "è una cartella, non un file: ignorata");
        return std::nullopt;
    }
    if (status.type() != fs::file_type::regular) {
        Report(problems, path, "non è un file normale: ignorato");
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    std::string text(limit, '\0');
    if (file) {
        file.read(text.data(), static_cast<std::streamsize>(limit));
    }
    if (!file && !file.eof()) {
        Report(problems, path, "file non leggibile");
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}

void LoadUserSeries(const fs::path& path, Catalogue& catalogue) {
    const std::string name = text::Utf8OfPath(path.stem());
    const Series* const sameName = catalogue.Find(name);
    if (sameName != nullptr && sameName->builtIn) {
        Report(catalogue.problems, path,
               "ha il nome della serie incorporata «" + name + "»: file ignorato");
        return;
    }
    // One byte past the cap, so that the reader sees the file is longer and says so.
    const std::optional<std::string> text = ReadAtMost(path, kMaxBytes + 1, catalogue.problems);
    if (!text) {
        return;
    }
    Series series = ReadSeries(name, text::Utf8OfPath(path), *text, catalogue.problems);
    if (!series.tubes.empty()) {
        catalogue.series.push_back(std::move(series));
    }
}

void LoadUserEmitters(const fs::path& path, Catalogue& catalogue) {
    const std::optional<std::string> text =
        ReadAtMost(path, kMaxBytes + 1, catalogue.emitterProblems);
    if (text) {
        ReadEmitterFile(path.stem().string(), path.string(), *text, catalogue);
    }
}

}  // namespace

fs::path EmitterDirBeside(const fs::path& tubeDir) {
    const fs::path dir = tubeDir.has_filename() ? tubeDir : tubeDir.parent_path();
    return dir.parent_path() / "emettitori";
}

std::optional<fs::path> UserCatalogueDir(const std::function<const char*(const char*)>& getenv) {
    if (!getenv) {
        return std::nullopt;
    }
#ifdef _WIN32
    const char* const appData = getenv("APPDATA");
    if (appData == nullptr || !text::PathFromUtf8(appData).is_absolute()) {
        return std::nullopt;
    }
    return text::PathFromUtf8(appData) / "idrovela" / "tubi";
#else
    const char* const dataHome = getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome != '\0' && fs::path(dataHome).is_absolute()) {
        return fs::path(dataHome) / "idrovela" / "tubi";
    }
    const char* const home = getenv("HOME");
    if (home == nullptr || *home == '\0' || !fs::path(home).is_absolute()) {
        return std::nullopt;
    }
    return fs::path(home) / ".local" / "share" / "idrovela" / "tubi";
#endif
}

Catalogue LoadCatalogues(const std::optional<fs::path>& userDir) {
    Catalogue catalogue = BuiltInCatalogue();
    if (!userDir) {
        return catalogue;
    }
    for (const fs::path& path : CsvFilesIn(*userDir, catalogue.problems)) {
        try {
            LoadUserSeries(path, catalogue);
        } catch (const std::exception& error) {
            // Nothing above throws but for want of memory; one file must not stop the others.
            Report(catalogue.problems, path, std::string("file non letto (") + error.what() + ")");
        }
    }
    const fs::path emitterDir = EmitterDirBeside(*userDir);
    for (const fs::path& path : CsvFilesIn(emitterDir, catalogue.emitterProblems)) {
        try {
            LoadUserEmitters(path, catalogue);
        } catch (const std::exception& error) {
            Report(catalogue.emitterProblems, path,
                   std::string("file non letto (") + error.what() + ")");
        }
    }
    return catalogue;
}

}  // namespace idrovela::catalogues
