#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <cstddef>
#include <optional>

#include "sheet/document.h"

namespace idrovela::sheet::qt {

// The engine's warnings, one line each, with the warning icon; read from the document when
// asked, reset after each change.
class WarningsModel final : public QAbstractListModel {
  public:
    WarningsModel(const Document& document, QObject* parent);

    void Reset();
    // The segment the warning at `index` is about.
    [[nodiscard]] std::optional<std::size_t> SegmentAt(const QModelIndex& index) const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

  private:
    const Document& document_;
    QIcon icon_;
};

}  // namespace idrovela::sheet::qt
