#include "circuit/fittings.h"

#include <array>
#include <unordered_map>

namespace idrovela::circuit {

namespace {

// DIN 1988-3, as printed in a press-fitting maker's technical manual:
// https://pinaxo.com/public/f28c66fdd81b70ccb3628342d01bb4ce/conex-banninger-a-press-inox-manuale-tecnico/10
constexpr std::string_view kDin =
    "DIN 1988-3 (manuale tecnico di un produttore di raccordi a pressare)";
// Values of heating practice, from a secondary source's table of the terminal and the boiler.
constexpr std::string_view kHeating = "pratica del riscaldamento (tabella di fonte secondaria)";

constexpr std::array kLibrary = {
    FittingType{"curva-90-r05", 1.0, "curva 90°, r/d 0,5", kDin},
    FittingType{"curva-90-r1", 0.35, "curva 90°, r/d 1", kDin},
    FittingType{"curva-90-r2", 0.20, "curva 90°, r/d 2", kDin},
    FittingType{"curva-90-r3", 0.15, "curva 90°, r/d 3", kDin},
    FittingType{"gomito-90", 0.70, "gomito 90° (valore di riferimento)", kDin},
    FittingType{"gomito-saldato-90", 1.3, "gomito a spicchi 90°", kDin},
    FittingType{"gomito-saldato-60", 0.8, "gomito a spicchi 60°", kDin},
    FittingType{"gomito-saldato-45", 0.4, "gomito a spicchi 45°", kDin},
    FittingType{"riduzione", 0.4, "riduzione", kDin},
    FittingType{"curva-sorpasso", 0.5, "curva di sorpasso", kDin},
    FittingType{"ti-derivazione-divisione", 1.3, "ti, derivazione con flusso che si divide", kDin},
    FittingType{"ti-derivazione-unione", 0.9, "ti, derivazione con flussi che si uniscono", kDin},
    FittingType{"ti-passaggio-divisione", 0.3,
                "ti, passaggio diritto oltre una derivazione che divide", kDin},
    FittingType{"ti-passaggio-unione", 0.6,
                "ti, passaggio diritto oltre una derivazione che unisce", kDin},
    FittingType{"ti-controcorrente-divisione", 3.0, "ti in controcorrente, flusso che si divide",
                kDin},
    FittingType{"ti-controcorrente-unione", 1.5, "ti in controcorrente, flussi che si uniscono",
                kDin},
    FittingType{"collettore-uscita", 0.5, "collettore, uscita", kDin},
    FittingType{"collettore-ingresso", 1.0, "collettore, ingresso comune", kDin},
    FittingType{kRadiatorFitting, 3.0, "radiatore", kHeating},
    FittingType{"caldaia", 2.5, "caldaia", kHeating},
};

}  // namespace

std::span<const FittingType> FittingLibrary() {
    return kLibrary;
}

const FittingType* FindFitting(std::string_view key) {
    // Asked once or twice for every fitting of a circuit: by hash, not by comparing every key.
    static const std::unordered_map<std::string_view, const FittingType*> byKey = [] {
        std::unordered_map<std::string_view, const FittingType*> map;
        for (const FittingType& type : kLibrary) {
            map.emplace(type.key, &type);
        }
        return map;
    }();
    const auto found = byKey.find(key);
    return found == byKey.end() ? nullptr : found->second;
}

}  // namespace idrovela::circuit
