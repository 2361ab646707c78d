// The commercial-pipe table: each row's figures, the window's own Y for that tube, the marks
// and their limits, choosing a tube, and the table exported.

#include "tools/pipe_table.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogues/built_in.h"
#include "tests/support/values.h"
#include "tests/window/recorder.h"

namespace idrovela::tools {
namespace {

using window::test::WindowTest;

class PipeTableTest : public WindowTest {
  protected:
    void SetUp() override { Start(); }
    const catalogues::Series& Series(const char* name) {
        const catalogues::Series* series = catalogue.Find(name);
        if (series == nullptr) {
            throw std::runtime_error(std::string("no series ") + name);
        }
        return *series;
    }
    PipeTable Table(const char* name) { return ComputePipeTable(form, Series(name), limits); }

    catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    PipeLimits limits;
};

// In the loss mode the window's Y of a row is what the window shows once that diameter is typed.
TEST_F(PipeTableTest, TheWindowsYIsWhatTheWindowShowsForThatDiameter) {
    for (const char* name : {"rame", "acciaio-m", "multistrato", "pex"}) {
        const PipeTable table = Table(name);
        ASSERT_TRUE(table.message.empty()) << table.message;
        for (const PipeRow& row : table.rows) {
            window::test::Recorder platform;
            window::Form_Principale typed(platform, platform);
            typed.Load();
            typed.UserEdit(typed.Text_D, std::to_string(row.wholeDiameterMm));
            typed.UserKeyRelease(typed.Text_D, 0);
            const std::string shown =
                platform.errors.empty()
                    ? typed.Text_Y.Text()
                    : "errore " + std::to_string(static_cast<int>(platform.errors.front()));
            EXPECT_EQ(row.windowY, shown) << name << " " << row.tube.designation;
        }
    }
    EXPECT_EQ(form.numeroreynolds(), idrovela::test::C("934,777"));  // the window is untouched
}

TEST_F(PipeTableTest, RowsShowTheExactBoreAndMarkTheSmallestTubeWithinBothLimits) {
    const PipeTable table = Table("acciaio-m");
    ASSERT_EQ(table.rows.size(), 13u);
    const PipeRow& dn25 = table.rows[4];
    EXPECT_EQ(dn25.tube.designation, "DN 25");
    EXPECT_EQ(InnerDiameterText(dn25), "27,3");
    EXPECT_EQ(dn25.wholeDiameterMm, 27);
    EXPECT_EQ(VelocityText(dn25), "4,73");  // 9976 l/h in 27,3 mm, with the true π
    ASSERT_TRUE(table.chosen.has_value());
    const PipeRow& chosen = table.rows[*table.chosen];
    EXPECT_EQ(chosen.tube.designation, "DN 65");
    EXPECT_EQ(chosen.mark, PipeMark::Scelto);
    EXPECT_LE(chosen.standard->pascalPerMetre, limits.pascalPerMetre);
    for (std::size_t i = 0; i < *table.chosen; ++i) {
        EXPECT_EQ(table.rows[i].mark, PipeMark::Fuori);
        EXPECT_FALSE(LimitNote(table.rows[i]).empty());
    }
    EXPECT_EQ(table.rows.back().mark, PipeMark::None);
    EXPECT_EQ(LimitNote(table.rows.back()), "");
}

// A dimmed row's note names the limit it fails, or both; the smallest steel tube carries the
// window's 9976 l/h far past either limit, so the limits decide which it fails.
TEST_F(PipeTableTest, TheNoteOfADimmedRowNamesTheLimitItFails) {
    const struct {
        PipeLimits limits;
        const char* note;
    } cases[] = {
        {{1e9, 1.0}, "oltre il limite di velocità"},
        {{200.0, 1e9}, "oltre il limite di perdita"},
        {{200.0, 1.0}, "oltre entrambi i limiti"},
    };
    for (const auto& c : cases) {
        limits = c.limits;
        const PipeTable table = Table("acciaio-m");
        ASSERT_FALSE(table.rows.empty());
        const PipeRow& smallest = table.rows.front();
        EXPECT_EQ(smallest.mark, PipeMark::Fuori) << c.note;
        EXPECT_EQ(TableCells(smallest).back(), c.note);
    }
}

TEST_F(PipeTableTest, AValueEqualToALimitPassesAndTiesGoToTheSmallerOuterDiameter) {
    // 25×2,5 and 26×3 have the same 20 mm bore.
    PipeTable table = Table("multistrato");
    const PipeRow* bore20 = nullptr;
    for (const PipeRow& row : table.rows) {
        if (row.tube.innerMm == 20.0) {
            bore20 = &row;
            break;
        }
    }
    ASSERT_NE(bore20, nullptr);
    EXPECT_EQ(bore20->tube.designation, "25×2,5");
    limits = {bore20->standard->pascalPerMetre, bore20->velocityMs};
    table = Table("multistrato");
    ASSERT_TRUE(table.chosen.has_value());
    EXPECT_EQ(table.rows[*table.chosen].tube.designation, "25×2,5");
    EXPECT_EQ(table.rows[*table.chosen + 1].tube.designation, "26×3");
    EXPECT_EQ(table.rows[*table.chosen + 1].mark, PipeMark::None);

    limits.pascalPerMetre = 1;  // nothing that carries this flow passes
    table = Table("multistrato");
    EXPECT_FALSE(table.chosen.has_value());
    EXPECT_EQ(table.notes.back(), "Nessun tubo della serie rispetta entrambi i limiti.");
    EXPECT_EQ(SessionLines(table).find("scelto"), std::string::npos);
}

TEST_F(PipeTableTest, NoFlowAndTextsThatDoNotConvert) {
    form.UserEdit(form.Text_P, "0");  // the flow becomes 0
    PipeTable table = Table("rame");
    for (const PipeRow& row : table.rows) {
        EXPECT_EQ(VelocityText(row), "0,00");
        EXPECT_EQ(StandardLossText(row), "0,0");
        EXPECT_EQ(row.windowY, "errore 11");  // as the loss mode at a velocity of 0
    }
    EXPECT_EQ(table.rows[*table.chosen].tube.designation, "10×1");

    form.UserEdit(form.Text_G, "12a");
    TakeErrors();
    table = Table("rame");
    EXPECT_TRUE(table.rows.empty());
    EXPECT_EQ(table.message, "La portata «12a» non è un numero valido.");
    EXPECT_EQ(SessionLines(table), "pipes.error=La portata «12a» non è un numero valido.\n");
}

TEST_F(PipeTableTest, TheNotesSayWhatDiffersFromTheWindow) {
    const PipeTable copper = Table("rame");  // the window's roughness is steel's 0,045
    EXPECT_EQ(copper.notes.front(),
              "La Y della finestra usa la rugosità della finestra (0,045 mm), la perdita standard "
              "quella della serie (0,0015 mm).");
    const PipeTable steel = Table("acciaio-m");
    EXPECT_EQ(steel.notes.front().rfind("La verifica fisica", 0), 0u);
    form.UserClick(form.Option_Diametro);
    EXPECT_FALSE(Table("rame").choosingAllowed);
}

TEST_F(PipeTableTest, ChoosingATubePutsItsBoreIntoTheDiameterAsTheSpinnerWould) {
    const PipeTable table = Table("acciaio-m");
    const auto before = Evaluations();
    EXPECT_TRUE(ChooseTube(form, table.rows[4]));  // DN 25, 27,3 mm
    EXPECT_EQ(form.Text_D.Text(), "27");
    EXPECT_EQ(form.Text_V.Text(), "4,84");
    EXPECT_EQ(form.Text_Pollici.Text(), "1\"");
    EXPECT_EQ(form.Text_Y.Text(), table.rows[4].windowY);
    EXPECT_EQ(Evaluations(), before + 1);

    // In the power mode the search runs again, and the flow and the mark move with it.
    form.UserEdit(form.Text_Y, "100");
    form.UserClick(form.Option_Potenza);
    ASSERT_TRUE(ChooseTube(form, table.rows[8]));  // DN 65
    EXPECT_EQ(form.Text_D.Text(), "69");
    EXPECT_EQ(form.Text_G.Text(), "19608");
    EXPECT_EQ(Table("acciaio-m").rows[*Table("acciaio-m").chosen].tube.designation, "DN 100");

    form.UserClick(form.Option_Diametro);
    const std::string diameter = form.Text_D.Text();
    EXPECT_FALSE(ChooseTube(form, Table("rame").rows[2]));
    EXPECT_EQ(form.Text_D.Text(), diameter);
    EXPECT_TRUE(form.Option_Tubo2.Value());  // nor is the copper's material clicked
    EXPECT_TRUE(TakeErrors().empty());
}

// Choosing first clicks the preset whose roughness is the tube's, then spins D: the window then
// shows what it shows once the user clicks that material and types that diameter.
TEST_F(PipeTableTest, ChoosingClicksThePresetOfTheTubesRoughnessFirst) {
    const struct {
        const char* series;
        std::size_t row;
        window::OptionButton window::Form_Principale::*preset;
    } cases[] = {
        {"rame", 6, &window::Form_Principale::Option_Tubo1},
        {"acciaio-m", 4, &window::Form_Principale::Option_Tubo2},
        {"acciaio-h", 4, &window::Form_Principale::Option_Tubo2},
        {"multistrato", 3, &window::Form_Principale::Option_Tubo4},
        {"pex", 3, &window::Form_Principale::Option_Tubo4},
        {"pert", 0, &window::Form_Principale::Option_Tubo4},
        {"ppr-pn20", 1, &window::Form_Principale::Option_Tubo4},
        {"pe100-sdr11", 0, &window::Form_Principale::Option_Tubo4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.series);
        // From "Acciaio Vecchi", whose 0,3 mm no built-in series has.
        form.UserClick(form.Option_Tubo3);
        const auto before = Evaluations();
        const PipeRow row = Table(c.series).rows.at(c.row);
        ASSERT_TRUE(ChooseTube(form, row));
        const window::OptionButton& preset = form.*c.preset;
        EXPECT_TRUE(preset.Value());
        EXPECT_FALSE(form.Text_epsilon.Enabled());
        EXPECT_EQ(form.Text_D.Text(), WholeDiameterText(row));
        EXPECT_EQ(Evaluations(), before + 2);  // the preset's recalculation, then the spinner's

        window::test::Recorder platform;
        window::Form_Principale byHand(platform, platform);
        byHand.Load();
        byHand.UserClick(*byHand.FindOptionButton(preset.Name()));
        byHand.UserEdit(byHand.Text_D, form.Text_D.Text());
        byHand.UserKeyRelease(byHand.Text_D, 0);
        EXPECT_EQ(form.Text_Y.Text(), byHand.Text_Y.Text());
        EXPECT_EQ(form.Text_epsilon.Text(), byHand.Text_epsilon.Text());
    }
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(PipeTableTest, ARoughnessNoPresetHasIsWrittenUnderAltro) {
    catalogues::Series own;
    own.name = "ditta";
    own.tubes = {{"20×2", 20, 2, 16, 0.01}};
    const auto before = Evaluations();
    ASSERT_TRUE(ChooseTube(form, ComputePipeTable(form, own, limits).rows.front()));
    EXPECT_TRUE(form.Option_TuboX.Value());
    EXPECT_TRUE(form.Text_epsilon.Enabled());
    EXPECT_EQ(form.Text_epsilon.Text(), "0,01");
    EXPECT_EQ(form.costanteepsilon(), idrovela::test::C("0,01"));
    EXPECT_EQ(form.Text_D.Text(), "16");
    EXPECT_EQ(Evaluations(), before + 1);  // "Altro" and the roughness recalculate nothing
}

TEST_F(PipeTableTest, EachMaterialSelectsItsSeriesUntilTheUserPicksAnother) {
    SeriesChoice choice;
    EXPECT_EQ(choice.Current(form), "acciaio-m");
    choice.Pick("pex");
    EXPECT_EQ(choice.Current(form), "pex");
    form.UserClick(form.Option_Tubo4);
    EXPECT_EQ(choice.Current(form), "multistrato");
    form.UserClick(form.Option_TuboX);  // "Altro" keeps what was shown
    EXPECT_EQ(choice.Current(form), "multistrato");
    form.UserClick(form.Option_Tubo1);
    EXPECT_EQ(choice.Current(form), "rame");
    form.UserClick(form.Option_Tubo3);
    EXPECT_EQ(choice.Current(form), "acciaio-m");

    // Choosing a tube of "pex" clicks "Polietilene", whose default is "multistrato": the table
    // stays on the series the tube came from.
    choice.Pick("pex");
    ASSERT_TRUE(ChooseTube(form, Table("pex").rows[3]));
    choice.Chose("pex", form);
    EXPECT_TRUE(form.Option_Tubo4.Value());
    EXPECT_EQ(choice.Current(form), "pex");
    form.UserClick(form.Option_Tubo1);  // the user's own click of a material still counts
    EXPECT_EQ(choice.Current(form), "rame");
}

TEST_F(PipeTableTest, TheExportsCarryTheInputsAndEscapeEveryText) {
    catalogues::Series series = Series("rame");
    series.title = "Rame; \"lega\" <b>";
    series.tubes.front().designation = "10×1;<i>";
    const PipeTable table = ComputePipeTable(form, series, limits);
    const std::string csv = PipeTableCsv(table, series, limits);
    // UTF-8 with its byte order mark, so that a spreadsheet does not read it in a code page.
    EXPECT_EQ(
        csv.rfind("\xEF\xBB\xBFSerie;\"Rame; \"\"lega\"\" <b>\"\nPortata G [litri/h];9976\n", 0),
        0u)
        << csv;
    EXPECT_NE(csv.find("\n\"10×1;<i>\";8,0;55,13;"), std::string::npos) << csv;
    const std::string html = PipeTableHtml(table, series, limits);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_EQ(html.find("<i>"), std::string::npos);
    EXPECT_NE(html.find("halcor.com"), std::string::npos);  // the series' source
    // Figures on the right, texts on the left, in the inputs and in every row.
    EXPECT_NE(html.find("<th align=\"left\">Portata G [litri/h]</th><td align=\"right\">9976</td>"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<td>Rame; &quot;lega&quot; &lt;b&gt;</td>"), std::string::npos);
    EXPECT_NE(html.find("<th>Tubo</th><th align=\"right\">Ø interno [mm]</th>"), std::string::npos);
    const std::vector<std::string> cells = TableCells(table.rows.front());
    std::string row = "<td>10×1;&lt;i&gt;</td>";
    for (std::size_t c = 1; c < cells.size(); ++c) {
        row += (c <= 4 ? "<td align=\"right\">" : "<td>") + cells[c] + "</td>";
    }
    EXPECT_NE(html.find(row), std::string::npos) << row << '\n' << html;
}

}  // namespace
}  // namespace idrovela::tools
