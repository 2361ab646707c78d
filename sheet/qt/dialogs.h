#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <optional>

class QPrinter;
class QWidget;

namespace idrovela::sheet::qt {

// Where "Sposta sotto…" puts a segment: under the segment at `index` among those offered, or,
// without one, at the source.
struct UpstreamChoice {
    std::optional<std::size_t> index;
};

// The questions and messages of the circuit windows, which tests replace with a double.
class Dialogs {
  public:
    enum class Answer { Save, Discard, Cancel };

    virtual ~Dialogs() = default;
    // "Salvare le modifiche a …?" with Salva, Non salvare and Annulla.
    virtual Answer AskToSave(QWidget* parent, const QString& question) = 0;
    // A circuit file to open, or none.
    virtual std::optional<QString> OpenPath(QWidget* parent) = 0;
    // Where to save a circuit, starting from `suggested`, or none.
    virtual std::optional<QString> SavePath(QWidget* parent, const QString& suggested) = 0;
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // Whether to recover the circuit a crash left unsaved.
    virtual bool OfferRecovery(QWidget* parent, const QString& question) = 0;
    // Where to export, titled `title`, starting from `suggested`; `filter` names the files to
    // show, their extension given to a name without one ("PDF (*.pdf)"). None when cancelled.
    virtual std::optional<QString> ExportPath(QWidget* parent, const QString& title,
                                              const QString& suggested, const QString& filter) = 0;
    // The print dialog for `printer`; false when the user cancels.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // "Sposta sotto…", titled `title`: the source or one of the segments `choices` (ids) as the
    // new upstream segment, starting at `current` (an index in `choices`; none: the source).
    // None when cancelled; else the choice.
    virtual std::optional<UpstreamChoice> ChooseUpstream(QWidget* parent, const QString& title,
                                                         const QStringList& choices,
                                                         std::optional<std::size_t> current) = 0;
};

// The program's own: message boxes and file dialogs.
class StandardDialogs final : public Dialogs {
  public:
    Answer AskToSave(QWidget* parent, const QString& question) override;
    std::optional<QString> OpenPath(QWidget* parent) override;
    std::optional<QString> SavePath(QWidget* parent, const QString& suggested) override;
    void ShowError(QWidget* parent, const QString& text) override;
    bool OfferRecovery(QWidget* parent, const QString& question) override;
    std::optional<QString> ExportPath(QWidget* parent, const QString& title,
                                      const QString& suggested, const QString& filter) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
    std::optional<UpstreamChoice> ChooseUpstream(QWidget* parent, const QString& title,
                                                 const QStringList& choices,
                                                 std::optional<std::size_t> current) override;
};

}  // namespace idrovela::sheet::qt
