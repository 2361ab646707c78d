#include "window/control_help.h"

#include <array>
#include <stdexcept>
#include <string>

namespace idrovela::window {

namespace {

// clang-format off
constexpr std::array<ControlHelp, 38> kHelp = {{
    {"Frame1",          "", "Materiale del tubo e sua rugosità", ""},
    {"Label3",          "", "Diametro interno del tubo in mm", ""},
    {"Text_D",          "", "Diametro interno del tubo in mm", "Label3"},
    {"UpDown_D",        "Aumenta o diminuisci il diametro", "Aumenta o diminuisci il diametro", ""},
    {"Option_Diametro", "Calcola il diametro", "Calcola il diametro", ""},
    {"Text_Pollici",    "Misura nominale in pollici", "Misura nominale in pollici", ""},
    {"G",               "", "Potenza termica in kW", ""},
    {"Text_P",          "", "Potenza termica in kW", "G"},
    {"UpDown_P",        "Aumenta o diminuisci la potenza", "Aumenta o diminuisci la potenza", ""},
    {"Option_Potenza",  "Calcola portata e potenza", "Calcola portata e potenza", ""},
    {"Label6",          "", "Salto termico in °C", ""},
    {"Text_dT",         "", "Salto termico in °C", "Label6"},
    {"Label7",          "", "Portata in litri all'ora", ""},
    {"Text_G",          "", "Portata in litri all'ora", "Label7"},
    {"Frame2",          "", "Fluido e sue proprietà", ""},
    {"Label8",          "", "Velocità media in m/s", ""},
    {"Text_V",          "", "Velocità media in m/s", "Label8"},
    {"Label4",          "", "Perdita di carico per metro, secondo le formule di riferimento del programma", ""},
    {"Text_Y",          "", "Perdita di carico per metro, secondo le formule di riferimento del programma", "Label4"},
    {"UpDown_Y",        "Aumenta o diminuisci la perdita di carico", "Aumenta o diminuisci la perdita di carico", ""},
    {"Option_Perdita",  "Calcola la perdita di carico", "Calcola la perdita di carico", ""},
    {"Text1",           "Informazioni (clic per alternare)", "Informazioni (clic per alternare)", ""},
    {"Check1",          "Mantieni la finestra in primo piano", "Mantieni la finestra in primo piano", ""},

    {"Option_Tubo1",    "", "Rame: rugosità 0,0015 mm", ""},
    {"Option_Tubo2",    "", "Acciaio nuovo: rugosità 0,045 mm", ""},
    {"Option_Tubo3",    "", "Acciaio usato: rugosità 0,3 mm", ""},
    {"Option_Tubo4",    "", "Polietilene: rugosità 0,007 mm", ""},
    {"Option_TuboX",    "", "Altro materiale: scrivere la rugosità", ""},
    {"Label1",          "", "Rugosità del tubo in mm", ""},
    {"Text_epsilon",    "", "Rugosità del tubo in mm", "Label1"},

    {"Option_Fluido1",  "", "Acqua a 4 °C: densità 1000 kg/m³, viscosità 1,556", ""},
    {"Option_Fluido2",  "", "Acqua a 20 °C: densità 998,2 kg/m³, viscosità 1", ""},
    {"Option_Fluido3",  "", "Acqua a 80 °C: densità 971,8 kg/m³, viscosità 0,3527", ""},
    {"Option_FluidoX",  "", "Altro fluido: scrivere densità e viscosità", ""},
    {"Label2",          "", "Viscosità dinamica in mPa·s (l'acqua a 20 °C ha 1)", ""},
    {"Text_Mu",         "", "Viscosità dinamica in mPa·s (l'acqua a 20 °C ha 1)", "Label2"},
    {"Label9",          "", "Densità del fluido in kg/m³", ""},
    {"Text_Rho",        "", "Densità del fluido in kg/m³", "Label9"},
}};
// clang-format on

}  // namespace

const ControlHelp& HelpOf(std::string_view name) {
    for (const ControlHelp& help : kHelp) {
        if (help.name == name) {
            return help;
        }
    }
    throw std::out_of_range("no help for a control named " + std::string(name));
}

}  // namespace idrovela::window
