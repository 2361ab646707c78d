#pragma once

#include <QDialog>
#include <QStringList>
#include <cstddef>
#include <optional>

#include "sheet/qt/dialogs.h"

class QComboBox;

namespace idrovela::sheet::qt {

// "Sposta sotto…": a list of the source, then the segments a segment may go under, with "Sposta"
// and "Annulla".
class UpstreamDialog final : public QDialog {
  public:
    // `current`: the segment's upstream segment, an index in `choices`; none at the source.
    UpstreamDialog(QWidget* parent, const QString& title, const QStringList& choices,
                   std::optional<std::size_t> current);

    // The entry picked.
    [[nodiscard]] UpstreamChoice Choice() const;

  private:
    QComboBox* box_;
};

}  // namespace idrovela::sheet::qt
