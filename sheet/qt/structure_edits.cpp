#include "sheet/qt/structure_edits.h"

#include <QMainWindow>
#include <QStatusBar>
#include <string>
#include <vector>

#include "circuit/messages.h"
#include "sheet/input.h"
#include "sheet/qt/dialogs.h"
#include "sheet/qt/fittings_dialog.h"
#include "sheet/qt/form_fields.h"
#include "text/quoted.h"

namespace idrovela::sheet::qt {

StructureEdits::StructureEdits(CircuitContext context, TakeEdit take)
    : context_(std::move(context)), take_(std::move(take)) {}

bool StructureEdits::Take(Proposal proposal) {
    return take_(std::move(proposal), [this](const QString& problem) {
        context_.window.statusBar()->showMessage(problem);
    });
}

void StructureEdits::AddDownstream() {
    const Document& document = context_.document;
    const std::optional<std::size_t> parent = context_.selected();
    const circuit::Segment segment = NewSegment(document, parent);
    const std::string id = segment.id;
    if (Take(sheet::AddDownstream(document, parent, segment))) {
        context_.select(document.Find(id));
    }
}

void StructureEdits::AddAfter() {
    const Document& document = context_.document;
    const std::optional<std::size_t> sibling = context_.selected();
    if (!sibling) {
        AddDownstream();
        return;
    }
    const circuit::Segment segment = NewSegment(document, sibling);
    const std::string id = segment.id;
    if (Take(sheet::AddAfter(document, *sibling, segment))) {
        context_.select(document.Find(id));
    }
}

void StructureEdits::RemoveWithDownstream() {
    const Document& document = context_.document;
    const std::optional<std::size_t> segment = context_.selected();
    if (!segment) {
        return;
    }
    const std::optional<std::size_t> parent = document.Tree().Parent(*segment);
    const std::optional<std::string> parentId =
        parent ? std::optional(document.Circuit().segments[*parent].id) : std::nullopt;
    if (Take(sheet::RemoveWithDownstream(document, *segment))) {
        context_.select(parentId ? document.Find(*parentId) : std::nullopt);
    }
}

void StructureEdits::RemoveOnly() {
    const std::optional<std::size_t> segment = context_.selected();
    if (segment) {
        Take(sheet::RemoveOnly(context_.document, *segment));
    }
}

void StructureEdits::MoveUnder(std::optional<std::size_t> upstream) {
    const Document& document = context_.document;
    const std::optional<std::size_t> segment = context_.selected();
    if (!segment) {
        return;
    }
    const std::string id = document.Circuit().segments[*segment].id;
    if (Take(Move(document, *segment, upstream))) {
        context_.select(document.Find(id));
    }
}

void StructureEdits::AskUpstream() {
    const Document& document = context_.document;
    const std::optional<std::size_t> segment = context_.selected();
    if (!segment) {
        return;
    }
    const std::vector<std::size_t> choices = UpstreamChoices(document, *segment);
    const std::optional<std::size_t> parent = document.Tree().Parent(*segment);
    QStringList ids;
    std::optional<std::size_t> current;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        ids << FromUtf8(document.Circuit().segments[choices[i]].id);
        if (parent == choices[i]) {
            current = i;
        }
    }
    const std::optional<UpstreamChoice> picked = context_.dialogs.ChooseUpstream(
        &context_.window,
        QStringLiteral("Sposta ") +
            FromUtf8(text::Quoted(document.Circuit().segments[*segment].id)),
        ids, current);
    if (!picked || (picked->index && *picked->index >= choices.size())) {
        return;
    }
    MoveUnder(picked->index ? std::optional(choices[*picked->index]) : std::nullopt);
}

void StructureEdits::EditFittings() {
    const Document& document = context_.document;
    const std::optional<std::size_t> segment = context_.selected();
    if (!segment) {
        return;
    }
    FittingsDialog dialog(document, *segment, &context_.window);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    std::optional<FittingsDialog::Contents> contents = dialog.Read();
    if (contents) {
        take_(FittingsEdit(document, *segment, std::move(contents->fittings),
                           std::move(contents->valves)),
              [this](const QString& problem) {
                  context_.dialogs.ShowError(&context_.window, problem);
              });
    }
}

}  // namespace idrovela::sheet::qt
