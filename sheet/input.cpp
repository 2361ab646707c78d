#include "sheet/input.h"

#include <cmath>

#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "circuit/emitter.h"
#include "circuit/messages.h"
#include "sheet/numbers.h"
#include "sheet/plant_input.h"
#include "text/quoted.h"

namespace idrovela::sheet {

namespace {

std::string EmptyOr(const std::string& text, std::string_view otherwise) {
    return text.empty() ? std::string(otherwise) : text;
}

EmitterForm EmitterFormOf(const std::optional<circuit::Emitter>& emitter) {
    EmitterForm form;
    if (!emitter) {
        return form;
    }
    form.present = true;
    form.nominalText = NumberText(emitter->nominalW);
    form.exponentText = NumberText(emitter->exponent);
    form.roomText = NumberText(emitter->roomC);
    form.contentText = NumberText(emitter->contentL);
    form.model = emitter->model;
    if (emitter->sections > 0) {
        form.sectionsText = std::to_string(emitter->sections);
    }
    return form;
}

// The emitter as the form gives it, `loadW` its terminal's load. A figure left as shown keeps
// its unrounded value; one left empty on a new emitter takes the file's default.
std::variant<circuit::Emitter, std::string> ReadEmitter(
    const Document& document, std::size_t segment, const EmitterForm& form,
    const std::optional<circuit::Emitter>& was) {
    const circuit::Emitter before = was.value_or(circuit::Emitter{});
    const EmitterForm shown = EmitterFormOf(was);
    Numbers numbers;
    const auto read = [&numbers](const std::string& text, const std::string& wasText, double value,
                                 std::string_view what) {
        return text == wasText && !text.empty() ? value : numbers.Read(text, what);
    };
    circuit::Emitter emitter = before;
    emitter.roomC =
        read(EmptyOr(form.roomText, "20"), shown.roomText, before.roomC, "Temperatura ambiente");
    const bool fromModel = !form.model.empty() &&
                           (form.model != shown.model || form.sectionsText != shown.sectionsText);
    if (fromModel) {
        const catalogues::EmitterModel* model = document.Catalogue().FindEmitter(form.model);
        if (model == nullptr) {
            return "Modello: " + text::Quoted(form.model) + " non è nel catalogo degli emettitori.";
        }
        if (!numbers.Problem().empty()) {
            return numbers.Problem();
        }
        std::optional<std::int64_t> sections;
        if (form.sectionsText.empty()) {
            sections = ProposedSectionsAt(document, segment, form.model, emitter.roomC);
            if (!sections) {
                return "Elementi: nessun numero di elementi fino a " +
                       std::to_string(circuit::kMaxSections) + " di " + text::Quoted(form.model) +
                       " dà il carico alla mandata del circuito; si scrive il numero.";
            }
        } else {
            const double typed = numbers.Read(form.sectionsText, "Elementi");
            if (!numbers.Problem().empty()) {
                return numbers.Problem();
            }
            if (!(typed >= 1.0 && typed <= static_cast<double>(circuit::kMaxSections)) ||
                std::floor(typed) != typed) {
                return "Elementi: " + text::Quoted(form.sectionsText) +
                       " non è un numero intero da 1 a " + std::to_string(circuit::kMaxSections) +
                       ".";
            }
            sections = static_cast<std::int64_t>(typed);
        }
        return circuit::EmitterFromModel(*model, *sections, emitter.roomC);
    }
    emitter.nominalW =
        read(form.nominalText, shown.nominalText, before.nominalW, "Potenza nominale");
    emitter.exponent =
        read(EmptyOr(form.exponentText, "1,3"), shown.exponentText, before.exponent, "Esponente");
    emitter.contentL =
        read(EmptyOr(form.contentText, "0"), shown.contentText, before.contentL, "Contenuto");
    if (!numbers.Problem().empty()) {
        return numbers.Problem();
    }
    // Figures typed over a model's are no longer the model's.
    if (form.model.empty() || emitter.nominalW != before.nominalW ||
        emitter.exponent != before.exponent || emitter.contentL != before.contentL) {
        emitter.model.clear();
        emitter.sections = 0;
    }
    return emitter;
}

std::string TerminalEditName(const circuit::Segment& before, const circuit::Segment& after) {
    const std::string id = text::Quoted(before.id);
    const bool had = before.terminal && before.terminal->emitter;
    const bool has = after.terminal && after.terminal->emitter;
    if (!before.terminal || !after.terminal) {
        return "Modifica terminale di " + id;
    }
    circuit::Terminal withoutEmitter = *after.terminal;
    withoutEmitter.emitter = before.terminal->emitter;
    if (withoutEmitter != *before.terminal) {
        return "Modifica terminale di " + id;
    }
    if (!had && has) {
        return "Aggiungi emettitore a " + id;
    }
    if (had && !has) {
        return "Rimuovi emettitore da " + id;
    }
    return "Modifica emettitore di " + id;
}

}  // namespace

std::optional<std::int64_t> ProposedSectionsAt(const Document& document, std::size_t segment,
                                               std::string_view model, double roomC) {
    const circuit::Circuit& circuit = document.Circuit();
    const catalogues::EmitterModel* found = document.Catalogue().FindEmitter(model);
    const std::optional<circuit::Terminal>& terminal = circuit.segments[segment].terminal;
    if (found == nullptr || !terminal || terminal->load != circuit::Terminal::Load::Power ||
        !(terminal->loadValue > 0.0)) {
        return std::nullopt;
    }
    const double dropK = circuit.emitterSettings && circuit.emitterSettings->minimumDropK
                             ? *circuit.emitterSettings->minimumDropK
                             : circuit.fluid.supplyC - circuit.fluid.returnC;
    if (!(dropK > 0.0)) {
        return std::nullopt;  // a cooling circuit: no emitter
    }
    return circuit::ProposedSections(*found, terminal->loadValue, circuit.fluid.supplyC, dropK,
                                     roomC);
}

std::variant<double, std::string> ReadNumber(std::string_view text, std::string_view what) {
    try {
        return TextToDouble(text);
    } catch (const RuntimeError& error) {
        const std::string quoted = text::Quoted(text);
        if (error.code() == ErrorCode::Overflow) {
            return std::string(what) + ": " + quoted + " è un numero troppo grande.";
        }
        if (text.find('.') != std::string_view::npos) {
            return std::string(what) + ": " + quoted +
                   " non è un numero; i decimali si separano con la virgola, come in 12,5.";
        }
        return std::string(what) + ": " + quoted +
               " non è un numero; si scrivono cifre, con la virgola per i decimali, come in "
               "12,5.";
    }
}

std::variant<double, std::string> ReadScaledNumber(std::string_view text, std::string_view what,
                                                   const circuit::Scale& scale) {
    auto read = ReadNumber(text, what);
    if (const auto* value = std::get_if<double>(&read); value != nullptr && *value > scale.max) {
        return circuit::OutOfScaleText(what, text::Quoted(text), scale);
    }
    return read;
}

std::string NumberText(double value) {
    return NumberToText(value);
}

std::string SeriesLabel(const catalogues::Catalogue& catalogue, std::string_view name) {
    const catalogues::Series* series = catalogue.Find(name);
    if (series == nullptr || series->title.empty()) {
        return std::string(name);
    }
    for (const catalogues::Series& other : catalogue.series) {
        if (other.name != series->name && other.title == series->title) {
            return series->title + " (" + series->name + ')';
        }
    }
    return series->title;
}

std::vector<TubeOption> TubeOptions(const catalogues::Catalogue& catalogue) {
    std::vector<TubeOption> options;
    for (const catalogues::Series& series : catalogue.series) {
        if (series.tubes.empty()) {
            continue;
        }
        circuit::Tube automatic;
        automatic.series = series.name;
        automatic.automatic = true;
        options.push_back({TubeOptionText(catalogue, automatic), automatic});
        for (const catalogues::Tube& tube : series.tubes) {
            circuit::Tube fixed{series.name, false, tube.designation, tube.innerMm,
                                tube.roughnessMm};
            options.push_back({TubeOptionText(catalogue, fixed), std::move(fixed)});
        }
    }
    return options;
}

std::string TubeOptionText(const catalogues::Catalogue& catalogue, const circuit::Tube& tube) {
    return SeriesLabel(catalogue, tube.series) + ' ' +
           (tube.automatic ? std::string("automatico") : tube.designation);
}

bool Editable(columns::SegmentColumn column) {
    return column == columns::SegmentColumn::Id || column == columns::SegmentColumn::Descrizione ||
           column == columns::SegmentColumn::Tubo || column == columns::SegmentColumn::Lunghezza;
}

std::string EditorText(const catalogues::Catalogue& catalogue, const circuit::Segment& segment,
                       columns::SegmentColumn column) {
    switch (column) {
        case columns::SegmentColumn::Id:
            return segment.id;
        case columns::SegmentColumn::Descrizione:
            return segment.description;
        case columns::SegmentColumn::Tubo:
            return TubeOptionText(catalogue, segment.tube);
        case columns::SegmentColumn::Lunghezza:
            return NumberText(segment.lengthM);
        default:
            break;
    }
    return {};
}

Proposal CellEdit(const Document& document, std::size_t segment, columns::SegmentColumn column,
                  std::string_view text) {
    const circuit::Segment& before = document.Circuit().segments[segment];
    if (text == EditorText(document.Catalogue(), before, column)) {
        return NoChange{};  // an editor closed as it opened
    }
    const std::string name = text::Quoted(before.id);
    circuit::Segment after = before;
    switch (column) {
        case columns::SegmentColumn::Id:
            return Rename(document, segment, std::string(text));
        case columns::SegmentColumn::Descrizione:
            after.description = std::string(text);
            return ChangeSegment(document, segment, std::move(after),
                                 "Modifica descrizione di " + name);
        case columns::SegmentColumn::Lunghezza: {
            auto read = ReadScaledNumber(text, "Lunghezza", circuit::kLengthScale);
            if (auto* problem = std::get_if<std::string>(&read)) {
                return *problem;
            }
            after.lengthM = std::get<double>(read);
            return ChangeSegment(document, segment, std::move(after),
                                 "Modifica lunghezza di " + name);
        }
        case columns::SegmentColumn::Tubo: {
            for (TubeOption& option : TubeOptions(document.Catalogue())) {
                if (option.text == text) {
                    after.tube = std::move(option.tube);
                    return ChangeSegment(document, segment, std::move(after),
                                         "Modifica tubo di " + name);
                }
            }
            return "Tubo: " + text::Quoted(text) +
                   " non è nel catalogo; si sceglie una serie e un tubo, o «automatico».";
        }
        default:
            break;
    }
    return "La colonna è calcolata: non si scrive.";
}

TerminalForm TerminalFormOf(const circuit::Segment& segment) {
    TerminalForm form;
    if (!segment.terminal) {
        return form;
    }
    const circuit::Terminal& terminal = *segment.terminal;
    form.present = true;
    form.description = terminal.description;
    form.load = terminal.load;
    form.loadText = NumberText(terminal.loadValue);
    form.device = terminal.device;
    if (terminal.device != circuit::Terminal::Device::None) {
        form.deviceText = NumberText(terminal.deviceValue);
    }
    form.emitter = EmitterFormOf(terminal.emitter);
    return form;
}

Proposal TerminalEdit(const Document& document, std::size_t segment, const TerminalForm& form) {
    const circuit::Segment& before = document.Circuit().segments[segment];
    circuit::Segment after = before;
    if (!form.present) {
        after.terminal.reset();
    } else {
        // A figure left as the pane wrote it keeps its unrounded value.
        const TerminalForm shown = TerminalFormOf(before);
        Numbers numbers;
        circuit::Terminal terminal;
        terminal.description = form.description;
        terminal.load = form.load;
        const bool power = form.load == circuit::Terminal::Load::Power;
        terminal.loadValue =
            shown.present && form.loadText == shown.loadText
                ? before.terminal->loadValue
                : numbers.Read(form.loadText, power ? "Potenza" : "Portata",
                               power ? &circuit::kPowerScale : &circuit::kFlowScale);
        // An emitter left as shown goes with a load given as flow, which cannot have one; one
        // added or changed there is the engine's to refuse.
        const bool emitterAsShown = shown.present && form.emitter == shown.emitter;
        if (form.emitter.present && (power || !emitterAsShown)) {
            if (emitterAsShown) {
                terminal.emitter = before.terminal->emitter;
            } else if (numbers.Problem().empty()) {
                auto read = ReadEmitter(document, segment, form.emitter,
                                        before.terminal ? before.terminal->emitter : std::nullopt);
                if (auto* problem = std::get_if<std::string>(&read)) {
                    return *problem;
                }
                terminal.emitter = std::get<circuit::Emitter>(std::move(read));
            }
        }
        terminal.device = form.device;
        if (form.device != circuit::Terminal::Device::None) {
            const bool kv = form.device == circuit::Terminal::Device::Kv;
            terminal.deviceValue =
                shown.present && shown.device != circuit::Terminal::Device::None &&
                        form.deviceText == shown.deviceText
                    ? before.terminal->deviceValue
                    : numbers.Read(form.deviceText,
                                   kv ? "Kv dell'apparecchio" : "Δp dell'apparecchio",
                                   kv ? &circuit::kKvScale : nullptr);
        }
        if (!numbers.Problem().empty()) {
            return numbers.Problem();
        }
        after.terminal = std::move(terminal);
    }
    std::string name = TerminalEditName(before, after);
    return ChangeSegment(document, segment, std::move(after), std::move(name));
}

Proposal FittingsEdit(const Document& document, std::size_t segment,
                      std::vector<circuit::Fitting> fittings, std::vector<circuit::Valve> valves) {
    const circuit::Segment& before = document.Circuit().segments[segment];
    circuit::Segment after = before;
    after.fittings = std::move(fittings);
    after.valves = std::move(valves);
    return ChangeSegment(document, segment, std::move(after),
                         "Modifica accidenti e valvole di " + text::Quoted(before.id));
}

double PercentForNewFluid(const circuit::Fluid& before, circuit::FluidType fluid) {
    if (fluid == circuit::FluidType::Acqua) {
        return 0.0;
    }
    return before.type == circuit::FluidType::Acqua ? kGlycolPercentFromWater
                                                    : before.volumePercent;
}

SettingsForm SettingsFormOf(const circuit::Circuit& circuit) {
    SettingsForm form;
    form.name = circuit.project.name;
    form.author = circuit.project.author;
    form.notes = circuit.project.notes;
    form.fluid = circuit.fluid.type;
    form.percentText = NumberText(circuit.fluid.volumePercent);
    form.supplyText = NumberText(circuit.fluid.supplyC);
    form.returnText = NumberText(circuit.fluid.returnC);
    form.pascalPerMetreText = NumberText(circuit.limits.pascalPerMetre);
    form.velocityText = NumberText(circuit.limits.velocityMs);
    form.flowMarginText = NumberText(circuit.margins.flowPercent);
    form.headMarginText = NumberText(circuit.margins.headPercent);
    WritePlantTexts(circuit, form);
    return form;
}

Proposal SettingsEdit(const Document& document, const SettingsForm& form) {
    // A figure left as the panel wrote it keeps its unrounded value.
    const SettingsForm shown = SettingsFormOf(document.Circuit());
    const Settings before = SettingsOf(document.Circuit());
    Numbers numbers;
    const auto read = [&numbers](const std::string& text, const std::string& was, double value,
                                 std::string_view what) {
        return text == was ? value : numbers.Read(text, what);
    };
    Settings after = before;
    after.project = {form.name, form.author, form.notes};
    after.fluid.type = form.fluid;
    after.fluid.volumePercent = read(form.percentText, shown.percentText,
                                     before.fluid.volumePercent, "Percentuale di glicole");
    if (form.fluid != before.fluid.type && form.percentText == shown.percentText) {
        after.fluid.volumePercent = PercentForNewFluid(before.fluid, form.fluid);
    }
    after.fluid.supplyC = read(form.supplyText, shown.supplyText, before.fluid.supplyC, "Mandata");
    after.fluid.returnC = read(form.returnText, shown.returnText, before.fluid.returnC, "Ritorno");
    after.limits.pascalPerMetre = read(form.pascalPerMetreText, shown.pascalPerMetreText,
                                       before.limits.pascalPerMetre, "Limite di perdita");
    after.limits.velocityMs =
        read(form.velocityText, shown.velocityText, before.limits.velocityMs, "Limite di velocità");
    after.margins.flowPercent = read(form.flowMarginText, shown.flowMarginText,
                                     before.margins.flowPercent, "Margine di portata");
    after.margins.headPercent = read(form.headMarginText, shown.headMarginText,
                                     before.margins.headPercent, "Margine di prevalenza");
    ReadPlant(form, shown, before, after, numbers);
    if (!numbers.Problem().empty()) {
        return numbers.Problem();
    }
    return ChangeSettings(document, std::move(after));
}

}  // namespace idrovela::sheet
