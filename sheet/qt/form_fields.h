#pragma once

// What the circuit window's forms share: texts between the engine's UTF-8 and Qt, the line that
// says why a value was refused, and a field written by the program.

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

#include "text/path_text.h"

class QLabel;
class QLineEdit;

namespace idrovela::sheet::qt {

[[nodiscard]] inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

[[nodiscard]] inline std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

[[nodiscard]] inline QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdString(text::Utf8OfPath(path));
}

[[nodiscard]] inline std::filesystem::path ToPath(const QString& path) {
    return text::PathFromUtf8(path.toStdString());
}

// A hidden label, named `name`, for why a value was refused: dark red, wrapping.
[[nodiscard]] QLabel* ProblemLabel(const char* name);

// Writes a field's text as the program does: without its signals, and only when it changes (so
// that the caret stays where it was), leaving the field unmodified by the user.
void SetFieldText(QLineEdit& edit, const std::string& text);

}  // namespace idrovela::sheet::qt
