#include "sheet/plant_input.h"

#include <optional>
#include <string>
#include <string_view>

namespace idrovela::sheet {

void WritePlantTexts(const circuit::Circuit& circuit, SettingsForm& form) {
    if (circuit.emitterSettings && circuit.emitterSettings->minimumDropK) {
        form.minimumDropText = NumberText(*circuit.emitterSettings->minimumDropK);
    }
    if (circuit.volumes) {
        form.generatorText = NumberText(circuit.volumes->generatorL);
        form.otherText = NumberText(circuit.volumes->otherL);
    }
    if (circuit.vessel) {
        form.staticHeightText = NumberText(circuit.vessel->staticHeightM);
        form.reliefValveText = NumberText(circuit.vessel->reliefValveBar);
        if (circuit.vessel->maximumC) {
            form.maximumText = NumberText(*circuit.vessel->maximumC);
        }
    }
}

void ReadPlant(const SettingsForm& form, const SettingsForm& shown, const Settings& before,
               Settings& after, Numbers& numbers) {
    const auto read = [&numbers](const std::string& text, const std::string& was,
                                 std::optional<double> value, std::string_view what) {
        if (text.empty()) {
            return std::optional<double>();
        }
        return std::optional<double>(text == was && value ? *value : numbers.Read(text, what));
    };

    const std::optional<double> drop =
        read(form.minimumDropText, shown.minimumDropText,
             before.emitterSettings ? before.emitterSettings->minimumDropK : std::nullopt,
             "Salto minimo");
    after.emitterSettings = drop ? std::optional(circuit::EmitterSettings{drop}) : std::nullopt;

    const circuit::Volumes volumes = before.volumes.value_or(circuit::Volumes{});
    const std::optional<double> generator =
        read(form.generatorText, shown.generatorText, volumes.generatorL, "Volume del generatore");
    const std::optional<double> other =
        read(form.otherText, shown.otherText, volumes.otherL, "Altri volumi");
    after.volumes.reset();
    if (generator || other) {
        after.volumes = circuit::Volumes{generator.value_or(0.0), other.value_or(0.0)};
    }

    const circuit::Vessel vessel = before.vessel.value_or(circuit::Vessel{});
    const std::optional<double> height = read(form.staticHeightText, shown.staticHeightText,
                                              vessel.staticHeightM, "Altezza statica");
    const std::optional<double> relief = read(form.reliefValveText, shown.reliefValveText,
                                              vessel.reliefValveBar, "Valvola di sicurezza");
    const std::optional<double> maximum =
        read(form.maximumText, shown.maximumText, vessel.maximumC, "Temperatura massima");
    after.vessel.reset();
    if (height || relief || maximum) {
        after.vessel = circuit::Vessel{height.value_or(0.0), relief.value_or(0.0), maximum};
    }
}

}  // namespace idrovela::sheet
