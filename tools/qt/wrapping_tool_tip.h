#pragma once

#include <QString>
#include <string_view>

namespace idrovela::tools::qt {

// A tooltip that wraps at the usual width instead of running across the screen (Qt wraps rich
// text only); empty, so that none shows, for an empty text.
[[nodiscard]] inline QString WrappingToolTip(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const QString plain = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return QStringLiteral("<p>") + plain.toHtmlEscaped() + QStringLiteral("</p>");
}

}  // namespace idrovela::tools::qt
