// What the user types into the sheet, its detail pane and its settings panel.

#include "sheet/input.h"

#include <gtest/gtest.h>

#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet::test {
namespace {

TEST(ReadNumber, TakesTheDecimalCommaUnroundedAndSaysWhatIsWrong) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c : {Case{"12,5", 12.5}, Case{" 3 ", 3.0}, Case{"-1", -1.0}, Case{"0,1", 0.1},
                          Case{",5", 0.5}, Case{"1234567,891234567891", 1234567.891234567891}}) {
        const auto read = ReadNumber(c.text, "Lunghezza");
        ASSERT_TRUE(std::holds_alternative<double>(read)) << c.text;
        EXPECT_EQ(std::get<double>(read), c.value) << c.text;
    }
    struct Refused {
        const char* text;
        const char* says;
    };
    for (const Refused& c :
         {Refused{"1.5", "Lunghezza: «1.5» non è un numero; i decimali si separano con la virgola"},
          Refused{"", "Lunghezza: «» non è un numero"}, Refused{"12 m", "«12 m» non è un numero"},
          Refused{"1e3", "«1e3» non è un numero"}}) {
        const auto read = ReadNumber(c.text, "Lunghezza");
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << c.text;
        EXPECT_NE(std::get<std::string>(read).find(c.says), std::string::npos)
            << std::get<std::string>(read);
    }
    const auto huge = ReadNumber("1" + std::string(400, '0'), "Potenza");
    ASSERT_TRUE(std::holds_alternative<std::string>(huge));
    EXPECT_NE(std::get<std::string>(huge).find("troppo grande"), std::string::npos);
}

TEST(CellEdit, ReadsEachEditableColumn) {
    auto document = Open(ThreeRadiators());
    const std::size_t r2 = 2;
    // An editor closed as it opened changes nothing.
    for (const columns::SegmentColumn column :
         {columns::SegmentColumn::Id, columns::SegmentColumn::Descrizione,
          columns::SegmentColumn::Tubo, columns::SegmentColumn::Lunghezza}) {
        const std::string same =
            EditorText(document->Catalogue(), document->Circuit().segments[r2], column);
        EXPECT_TRUE(std::holds_alternative<NoChange>(CellEdit(*document, r2, column, same)));
    }
    EXPECT_EQ(EditorText(document->Catalogue(), document->Circuit().segments[r2],
                         columns::SegmentColumn::Tubo),
              "Rame EN 1057 15×1");
    EXPECT_EQ(EditorText(document->Catalogue(), document->Circuit().segments[1],
                         columns::SegmentColumn::Tubo),
              "Rame EN 1057 automatico");

    // A fixed tube takes the catalogue's bore and roughness.
    ASSERT_TRUE(Take(*document,
                     CellEdit(*document, r2, columns::SegmentColumn::Tubo, "Rame EN 1057 18×1")));
    const circuit::Tube& tube = document->Circuit().segments[r2].tube;
    EXPECT_FALSE(tube.automatic);
    EXPECT_EQ(tube.designation, "18×1");
    EXPECT_EQ(tube.innerMm, 16.0);
    EXPECT_EQ(tube.roughnessMm, 0.0015);
    ASSERT_TRUE(Take(*document, CellEdit(*document, r2, columns::SegmentColumn::Tubo,
                                         "PE-X per pannelli radianti automatico")));
    EXPECT_TRUE(document->Circuit().segments[r2].tube.automatic);
    EXPECT_EQ(document->Circuit().segments[r2].tube.series, "pex");
    EXPECT_NE(Refusal(*document,
                      CellEdit(*document, r2, columns::SegmentColumn::Tubo, "Rame EN 1057 99×9"))
                  .find("non è nel catalogo"),
              std::string::npos);

    // The length unrounded, and shown again for editing in full.
    ASSERT_TRUE(
        Take(*document, CellEdit(*document, r2, columns::SegmentColumn::Lunghezza, "9,123456789")));
    EXPECT_EQ(document->Circuit().segments[r2].lengthM, 9.123456789);
    EXPECT_EQ(EditorText(document->Catalogue(), document->Circuit().segments[r2],
                         columns::SegmentColumn::Lunghezza),
              "9,123456789");
    EXPECT_NE(Refusal(*document, CellEdit(*document, r2, columns::SegmentColumn::Lunghezza, "nove"))
                  .find("non è un numero"),
              std::string::npos);
    EXPECT_NE(Refusal(*document, CellEdit(*document, r2, columns::SegmentColumn::Velocita, "1")),
              "");
}

// Each figure up to its limit is taken, and refused beyond it with the values taken; a value a
// file holds beyond its limit stays while the user edits something else.
TEST(CellEdit, RefusesAValueBeyondAnyBuildingWithTheRangeTaken) {
    using Load = circuit::Terminal::Load;
    using Device = circuit::Terminal::Device;
    enum class Into { Length, LoadValue, DeviceValue };
    const std::string tail = " è fuori scala per qualunque edificio; si accettano valori ";
    const struct {
        Into into;
        Load load;
        Device device;
        const char* text;
        std::string refusal;  // empty: taken
    } cases[] = {
        {Into::Length, Load::Power, Device::Kv, "10000", ""},
        {Into::Length, Load::Power, Device::Kv, "10000,001",
         "Lunghezza: «10000,001»" + tail + "da 0 a 10 000 m."},
        {Into::LoadValue, Load::Power, Device::PressureDrop, "10000000", ""},
        {Into::LoadValue, Load::Power, Device::PressureDrop, "10000000,5",
         "Potenza: «10000000,5»" + tail + "da 0 a 10 000 000 W."},
        {Into::LoadValue, Load::Power, Device::PressureDrop, "1000000000000000",
         "Potenza: «1000000000000000»" + tail + "da 0 a 10 000 000 W."},
        {Into::LoadValue, Load::Flow, Device::PressureDrop, "1000000", ""},
        {Into::LoadValue, Load::Flow, Device::PressureDrop, "1000001",
         "Portata: «1000001»" + tail + "da 0 a 1 000 000 l/h."},
        {Into::DeviceValue, Load::Power, Device::Kv, "10000", ""},
        {Into::DeviceValue, Load::Power, Device::Kv, "10000,1",
         "Kv dell'apparecchio: «10000,1»" + tail + "sopra 0 e fino a 10 000 m³/h."},
        {Into::DeviceValue, Load::Power, Device::PressureDrop, "20000000",
         ""},  // a Δp has no limit
    };
    for (const auto& c : cases) {
        auto document = Open(ThreeRadiators());
        Proposal proposal;
        if (c.into == Into::Length) {
            proposal = CellEdit(*document, 2, columns::SegmentColumn::Lunghezza, c.text);
        } else {
            TerminalForm form = TerminalFormOf(document->Circuit().segments[1]);
            form.load = c.load;
            form.device = c.device;
            form.loadText = c.into == Into::LoadValue ? c.text : "1500";
            form.deviceText = c.into == Into::DeviceValue ? c.text : "1000";
            proposal = TerminalEdit(*document, 1, form);
        }
        if (c.refusal.empty()) {
            EXPECT_TRUE(Take(*document, std::move(proposal))) << c.text;
        } else {
            EXPECT_EQ(Refusal(*document, std::move(proposal)), c.refusal) << c.text;
        }
    }

    // From a file: 10^15 W loads, and stays while the description changes.
    circuit::Circuit huge = ThreeRadiators();
    huge.segments[1].terminal->loadValue = 1e15;
    auto document = Open(huge);
    TerminalForm form = TerminalFormOf(document->Circuit().segments[1]);
    form.description = "radiatore del capannone";
    ASSERT_TRUE(Take(*document, TerminalEdit(*document, 1, form)));
    EXPECT_EQ(document->Circuit().segments[1].terminal->loadValue, 1e15);
}

TEST(TerminalEdit, KeepsAFigureLeftAsShownAndReadsTheRest) {
    circuit::Circuit circuit = ThreeRadiators();
    circuit.segments[1].terminal->loadValue = 1500.0000000000002;  // beyond 15 digits
    auto document = Open(circuit);
    TerminalForm form = TerminalFormOf(document->Circuit().segments[1]);
    ASSERT_TRUE(form.present);
    EXPECT_EQ(form.loadText, "1500");
    EXPECT_EQ(form.deviceText, "0,8");
    form.description = "radiatore bagno";
    ASSERT_TRUE(Take(*document, TerminalEdit(*document, 1, form)));
    EXPECT_EQ(document->Circuit().segments[1].terminal->loadValue, 1500.0000000000002);

    form = TerminalFormOf(document->Circuit().segments[1]);
    form.load = circuit::Terminal::Load::Flow;
    form.loadText = "90";
    form.device = circuit::Terminal::Device::PressureDrop;
    form.deviceText = "2500";
    ASSERT_TRUE(Take(*document, TerminalEdit(*document, 1, form)));
    const circuit::Terminal& terminal = *document->Circuit().segments[1].terminal;
    EXPECT_EQ(terminal.load, circuit::Terminal::Load::Flow);
    EXPECT_EQ(terminal.loadValue, 90.0);
    EXPECT_EQ(terminal.deviceValue, 2500.0);
    EXPECT_EQ(document->Solution()->segments[1].terminal->flowLph, 90.0);

    form.deviceText = "molto";
    EXPECT_EQ(Refusal(*document, TerminalEdit(*document, 1, form)),
              "Δp dell'apparecchio: «molto» non è un numero; si scrivono cifre, con la virgola "
              "per i decimali, come in 12,5.");
    form.present = false;
    ASSERT_TRUE(Take(*document, TerminalEdit(*document, 1, form)));
    EXPECT_FALSE(document->Circuit().segments[1].terminal);
}

TEST(SettingsEdit, ChangesTheCircuitWideValuesThroughTheEngine) {
    circuit::Circuit circuit = ThreeRadiators();
    circuit.fluid.supplyC = 70.00000000000001;
    auto document = Open(circuit);
    SettingsForm form = SettingsFormOf(document->Circuit());
    EXPECT_EQ(form.supplyText, "70");
    EXPECT_EQ(form.name, "Villetta");
    form.author = "Studio Rossi";
    form.fluid = circuit::FluidType::Etilenico;
    form.percentText = "30";
    form.flowMarginText = "10";
    auto edit = Take(*document, SettingsEdit(*document, form));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->name, "Modifica impostazioni del circuito");
    const circuit::Circuit& now = document->Circuit();
    EXPECT_EQ(now.project.author, "Studio Rossi");
    EXPECT_EQ(now.fluid.type, circuit::FluidType::Etilenico);
    EXPECT_EQ(now.fluid.volumePercent, 30.0);
    EXPECT_EQ(now.fluid.supplyC, 70.00000000000001);  // left as shown: kept unrounded
    EXPECT_TRUE(document->Solution()->pump.flowWithMarginLph);

    form.percentText = "80";
    EXPECT_NE(Refusal(*document, SettingsEdit(*document, form)).find("Fluido, percentuale"),
              std::string::npos);
    form.percentText = "30";
    form.velocityText = "0";
    EXPECT_NE(Refusal(*document, SettingsEdit(*document, form)).find("Limiti, velocita"),
              std::string::npos);
    form.velocityText = "uno";
    EXPECT_NE(Refusal(*document, SettingsEdit(*document, form)).find("Limite di velocità"),
              std::string::npos);
    document->Undo(*edit);
    EXPECT_EQ(document->Circuit().project.author, "");
    EXPECT_FALSE(document->Modified());
}

// Each setting changed alone names its edit; several at once are the circuit's settings.
TEST(SettingsEdit, TheUndoNameSaysWhichSettingChanged) {
    circuit::Circuit glycol = ThreeRadiators();
    glycol.fluid = {circuit::FluidType::Etilenico, 30, 70, 60};
    auto document = Open(glycol);
    const struct {
        std::string SettingsForm::*field;
        const char* text;
        const char* name;
    } cases[] = {
        {&SettingsForm::name, "Casa", "Modifica nome"},
        {&SettingsForm::author, "Studio Rossi", "Modifica autore"},
        {&SettingsForm::notes, "bozza", "Modifica note"},
        {&SettingsForm::percentText, "40", "Modifica percentuale di glicole"},
        {&SettingsForm::supplyText, "75", "Modifica mandata"},
        {&SettingsForm::returnText, "55", "Modifica ritorno"},
        {&SettingsForm::pascalPerMetreText, "150", "Modifica limite di perdita"},
        {&SettingsForm::velocityText, "0,8", "Modifica limite di velocità"},
        {&SettingsForm::flowMarginText, "10", "Modifica margine di portata"},
        {&SettingsForm::headMarginText, "15", "Modifica margine di prevalenza"},
    };
    for (const auto& c : cases) {
        SettingsForm form = SettingsFormOf(document->Circuit());
        form.*c.field = c.text;
        const auto edit = Take(*document, SettingsEdit(*document, form));
        ASSERT_TRUE(edit) << c.name;
        EXPECT_EQ(edit->name, c.name);
        document->Undo(*edit);
    }
    SettingsForm form = SettingsFormOf(document->Circuit());
    form.supplyText = "75";
    form.returnText = "65";
    EXPECT_EQ(Take(*document, SettingsEdit(*document, form))->name,
              "Modifica impostazioni del circuito");
    EXPECT_EQ(SettingsEditName(SettingsOf(glycol), SettingsOf(glycol)), "");
}

// A fluid chosen alone brings its percentage: 30 % for a glycol over water, 0 for water, the same
// for the other glycol. One the circuit's temperatures do not allow is the engine's refusal.
TEST(SettingsEdit, AFluidChosenBringsItsPercentage) {
    using circuit::FluidType;
    const struct {
        circuit::Fluid from;
        FluidType to;
        double percent;  // -1: refused
    } cases[] = {
        {{FluidType::Acqua, 0, 70, 60}, FluidType::Propilenico, 30},
        {{FluidType::Propilenico, 30, 70, 60}, FluidType::Etilenico, 30},
        {{FluidType::Etilenico, 45, 70, 60}, FluidType::Propilenico, 45},
        {{FluidType::Etilenico, 45, 70, 60}, FluidType::Acqua, 0},
        {{FluidType::Acqua, 0, 7, 12}, FluidType::Etilenico, 30},          // cooling
        {{FluidType::Propilenico, 30, 5, -5}, FluidType::Acqua, -1},       // water below 0 °C
        {{FluidType::Etilenico, 40, 0, -20}, FluidType::Propilenico, -1},  // frozen at the return
    };
    for (const auto& c : cases) {
        circuit::Circuit circuit = ThreeRadiators();
        circuit.fluid = c.from;
        auto document = Open(circuit);
        SettingsForm form = SettingsFormOf(document->Circuit());
        form.fluid = c.to;
        if (c.percent < 0) {
            circuit::Circuit target = circuit;
            target.fluid.type = c.to;
            target.fluid.volumePercent = PercentForNewFluid(c.from, c.to);
            std::string engine;
            try {
                static_cast<void>(circuit::Solve(target, *BuiltIn()));
            } catch (const circuit::CircuitError& error) {
                engine = error.what();
            }
            EXPECT_NE(engine.find("Fluido, ritorno"), std::string::npos) << engine;
            EXPECT_EQ(Refusal(*document, SettingsEdit(*document, form)), engine);
            EXPECT_EQ(document->Circuit().fluid.type, c.from.type);
            EXPECT_FALSE(document->Modified());
            continue;
        }
        const auto edit = Take(*document, SettingsEdit(*document, form));
        ASSERT_TRUE(edit);
        EXPECT_EQ(edit->name, "Modifica fluido");
        EXPECT_EQ(document->Circuit().fluid.type, c.to);
        EXPECT_EQ(document->Circuit().fluid.volumePercent, c.percent);
        // The flows are the engine's for the new fluid.
        circuit.fluid.type = c.to;
        circuit.fluid.volumePercent = c.percent;
        EXPECT_EQ(document->Solution()->pump.flowLph,
                  circuit::Solve(circuit, *BuiltIn()).pump.flowLph);
    }
}

}  // namespace
}  // namespace idrovela::sheet::test
