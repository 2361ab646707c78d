#include "session/tool_actions.h"

#include <algorithm>
#include <ostream>
#include <string>

#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "catalogues/user_catalogues.h"
#include "session/words.h"
#include "text/path_text.h"
#include "tools/fluid_tool.h"
#include "tools/physics_panel.h"
#include "window/form_principale.h"

namespace idrovela::session {

namespace {

// A number written as the window writes it, with a comma.
std::optional<double> Number(std::string_view text) {
    try {
        return TextToDouble(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace

ToolActions::ToolActions(window::Form_Principale& form, std::ostream& out, std::ostream& err,
                         std::optional<std::filesystem::path> userCatalogueDir)
    : form_(form), out_(out), err_(err), userCatalogueDir_(std::move(userCatalogueDir)) {}

ToolActions::Outcome ToolActions::Run(std::string_view action, std::string_view arguments) {
    if (action == "physics") {
        out_ << tools::SessionLines(tools::CheckPhysics(form_, memory_.Tube()));
        return Outcome::Ran;
    }
    if (action == "fluid") {
        return Fluid(arguments);
    }
    if (action == "pipes") {
        return Pipes(arguments);
    }
    if (action == "choose") {
        return Choose(arguments);
    }
    if (action == "limits") {
        return Limits(arguments);
    }
    if (action == "catalogues") {
        catalogue_ = catalogues::LoadCatalogues(text::PathFromUtf8(arguments));
        return Outcome::Ran;
    }
    return Outcome::NotMine;
}

ToolActions::Outcome ToolActions::Unknown(std::string_view what, std::string_view name) {
    err_ << "idrovela-session: unknown " << what << " \"" << name << "\"\n";
    return Outcome::Unknown;
}

ToolActions::Outcome ToolActions::UnknownNumber(std::string_view text) {
    std::string comma(text);
    std::replace(comma.begin(), comma.end(), '.', ',');
    if (comma != text && Number(comma)) {
        err_ << "idrovela-session: unknown number \"" << text << "\": write " << comma
             << ", with the decimal comma\n";
        return Outcome::Unknown;
    }
    return Unknown("number", text);
}

const catalogues::Catalogue& ToolActions::Catalogue() {
    if (!catalogue_) {
        catalogue_ = catalogues::LoadCatalogues(userCatalogueDir_);
    }
    return *catalogue_;
}

// fluid KIND PERCENT CELSIUS; the percentage is not read for water.
ToolActions::Outcome ToolActions::Fluid(std::string_view arguments) {
    const std::string_view kindName = NextWord(arguments);
    const std::optional<tools::FluidKind> kind = tools::FluidKindNamed(kindName);
    if (!kind) {
        return Unknown("fluid", kindName);
    }
    const std::string_view percentText = NextWord(arguments);
    tools::FluidChoice choice{*kind, 0.0, 0.0};
    if (*kind != tools::FluidKind::Acqua) {
        const std::optional<double> percent = Number(percentText);
        if (!percent) {
            return UnknownNumber(percentText);
        }
        choice.volumePercent = *percent;
    }
    const std::optional<double> celsius = Number(arguments);
    if (!celsius) {
        return UnknownNumber(arguments);
    }
    choice.celsius = *celsius;
    out_ << tools::SessionLines(memory_.ApplyFluid(form_, choice));
    return Outcome::Ran;
}

ToolActions::Outcome ToolActions::Pipes(std::string_view seriesName) {
    const catalogues::Series* series = Catalogue().Find(seriesName);
    if (series == nullptr) {
        out_ << "pipes.error=La serie «" << seriesName << "» non esiste\n";
        return Outcome::Ran;
    }
    const tools::PipeTable table = tools::ComputePipeTable(form_, *series, limits_);
    out_ << tools::SessionLines(table);
    if (table.message.empty()) {
        out_ << "pipes.problems=" << Catalogue().problems.size() << '\n';
    }
    return Outcome::Ran;
}

// choose SERIES DESIGNATION, the designation being the rest of the line.
ToolActions::Outcome ToolActions::Choose(std::string_view arguments) {
    const std::string_view seriesName = NextWord(arguments);
    const catalogues::Series* series = Catalogue().Find(seriesName);
    if (series == nullptr) {
        return Unknown("series", seriesName);
    }
    const tools::PipeTable table = tools::ComputePipeTable(form_, *series, limits_);
    for (const tools::PipeRow& row : table.rows) {
        if (row.tube.designation == arguments) {
            if (!memory_.ChooseTube(form_, *series, row)) {
                out_ << "choose.error=La scelta di un tubo funziona nei modi «Calcola portata e "
                        "potenza» e «Calcola la perdita di carico»\n";
            }
            return Outcome::Ran;
        }
    }
    if (!table.message.empty()) {
        out_ << "choose.error=" << table.message << '\n';
        return Outcome::Ran;
    }
    return Unknown("tube", arguments);
}

ToolActions::Outcome ToolActions::Limits(std::string_view arguments) {
    const std::string_view lossText = NextWord(arguments);
    const std::optional<double> loss = Number(lossText);
    if (!loss) {
        return UnknownNumber(lossText);
    }
    const std::optional<double> velocity = Number(arguments);
    if (!velocity) {
        return UnknownNumber(arguments);
    }
    limits_ = {*loss, *velocity};
    return Outcome::Ran;
}

}  // namespace idrovela::session
