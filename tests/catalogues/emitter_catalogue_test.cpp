// The emitter catalogues: the built-in example file, every bad line skipped with its line and
// reason while the rest loads, and the user's folder beside the tube one.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalogues/built_in.h"
#include "catalogues/emitter_row.h"
#include "catalogues/user_catalogues.h"
#include "tests/support/scratch_folder.h"

namespace idrovela::catalogues {
namespace {

namespace fs = std::filesystem;

const std::string kHead = "# Radiatori di prova\n" + std::string(kEmitterHeader) + "\n";

TEST(EmitterCatalogue, TheBuiltInExampleSaysItIsNoProduct) {
    const Catalogue catalogue = BuiltInCatalogue();
    ASSERT_GE(catalogue.emitters.size(), 4U);
    EXPECT_TRUE(catalogue.emitterProblems.empty());
    for (const EmitterModel& model : catalogue.emitters) {
        EXPECT_EQ(model.source, "esempio, non un prodotto") << model.name;
        EXPECT_EQ(model.file, "esempio");
        EXPECT_GE(model.exponent, 1.0);
        EXPECT_LE(model.exponent, 2.0);
        EXPECT_GT(model.sectionW, 0.0);
    }
    const EmitterModel* model = catalogue.FindEmitter("Esempio alluminio 600");
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->heightMm, 600.0);
    EXPECT_EQ(model->sectionW, 135.0);
    EXPECT_EQ(model->exponent, 1.33);
    EXPECT_EQ(model->sectionL, 0.35);
    EXPECT_EQ(catalogue.FindEmitter("esempio alluminio 600"), nullptr);  // names are exact
}

// Each bad row is skipped with its line and reason; the good rows around it load.
TEST(EmitterCatalogue, EveryBadLineIsSkippedWithItsReason) {
    struct Row {
        const char* line;
        std::string says;  // empty for a row that loads
    };
    const Row rows[] = {
        {"Buono;600;100;1;0;scheda", ""},
        {"Ripido;600;100;2;1000;scheda", ""},
        {"  Spazi  ; 600 ;100,5;1,3;0,25; scheda ", ""},
        {"Corto;600;100;1,3;0,2", "attesi 6 campi"},
        {"Lettere;600;cento;1,3;0,2;scheda", "«potenza per elemento a 75/65/20 °C [W]»"},
        {"Punto;600;100.5;1,3;0,2;scheda", "non è un numero"},
        {"Basso;0;100;1,3;0,2;scheda", "«altezza o interasse [mm]» fuori campo"},
        {"Nullo;600;0;1,3;0,2;scheda", "fuori campo"},
        {"Piatto;600;100;0,99;0,2;scheda", "«esponente n» fuori campo (da 1 a 2)"},
        {"Troppo;600;100;2,01;0,2;scheda", "«esponente n» fuori campo"},
        {"Secco;600;100;1,3;-0,1;scheda", "«contenuto per elemento [l]» fuori campo"},
        {"Enorme;600;100001;1,3;0,2;scheda", "fuori campo"},
        {" ;600;100;1,3;0,2;scheda", "«modello» vuoto"},
        {"Senza fonte;600;100;1,3;0,2;", "«fonte» vuoto"},
        {"Buono;500;90;1,3;0,2;scheda", "modello «Buono» già usato alla riga 3"},
        {"Esempio alluminio 600;600;100;1,3;0,2;scheda", "già nel catalogo"},
        {"Latin\xe9;600;100;1,3;0,2;scheda", "non UTF-8"},
    };
    std::string text = kHead;
    for (const Row& row : rows) {
        text += std::string(row.line) + "\n";
    }
    Catalogue catalogue = BuiltInCatalogue();
    const std::size_t before = catalogue.emitters.size();
    ReadEmitterFile("prova", "prova.csv", text, catalogue);
    std::vector<std::string> loaded;
    for (std::size_t i = before; i < catalogue.emitters.size(); ++i) {
        loaded.push_back(catalogue.emitters[i].name);
        EXPECT_EQ(catalogue.emitters[i].file, "prova");
    }
    EXPECT_EQ(loaded, (std::vector<std::string>{"Buono", "Ripido", "Spazi"}));
    EXPECT_EQ(catalogue.emitters[before + 2].sectionW, 100.5);
    EXPECT_EQ(catalogue.emitters[before + 2].source, "scheda");

    std::size_t problem = 0;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        if (rows[i].says.empty()) {
            continue;
        }
        ASSERT_LT(problem, catalogue.emitterProblems.size()) << rows[i].line;
        const Problem& found = catalogue.emitterProblems[problem++];
        EXPECT_EQ(found.file, "prova.csv");
        EXPECT_EQ(found.line, static_cast<int>(i) + 3) << rows[i].line;
        EXPECT_NE(found.message.find(rows[i].says), std::string::npos)
            << rows[i].line << ": " << found.message;
    }
    EXPECT_EQ(problem, catalogue.emitterProblems.size());
}

TEST(EmitterCatalogue, AFileThatCannotBeReadIsSkippedWhole) {
    struct Row {
        const char* what;
        std::string text;
        std::string says;
    };
    const Row rows[] = {
        {"empty", "", "file vuoto"},
        {"no header", "# Titolo\n", "manca la riga d'intestazione"},
        {"another header", "modello;potenza\nA;1\n", "riga d'intestazione diversa"},
        {"no valid model", kHead + "A;1;2;3;4;5\n", "nessun modello valido"},
    };
    for (const Row& row : rows) {
        Catalogue catalogue;
        ReadEmitterFile("f", "f.csv", row.text, catalogue);
        EXPECT_TRUE(catalogue.emitters.empty()) << row.what;
        ASSERT_FALSE(catalogue.emitterProblems.empty()) << row.what;
        EXPECT_NE(catalogue.emitterProblems.back().message.find(row.says), std::string::npos)
            << row.what << ": " << catalogue.emitterProblems.back().message;
        EXPECT_TRUE(catalogue.problems.empty()) << row.what;  // the tubes' list stays clean
    }
}

// The user's models are in "emettitori" beside the tube folder, read by name after the built-in
// ones; a missing folder is no problem.
TEST(EmitterCatalogue, TheUsersFolderIsBesideTheTubeOne) {
    EXPECT_EQ(EmitterDirBeside("/home/a/.local/share/idrovela/tubi"),
              fs::path("/home/a/.local/share/idrovela/emettitori"));
    EXPECT_EQ(EmitterDirBeside("/home/a/.local/share/idrovela/tubi/"),
              fs::path("/home/a/.local/share/idrovela/emettitori"));

    const test_support::ScratchFolder folder("idrovela-emettitori");
    const fs::path& root = folder.path();
    fs::create_directories(root / "tubi");
    const Catalogue without = LoadCatalogues(root / "tubi");
    EXPECT_TRUE(without.emitterProblems.empty());
    const std::size_t builtIn = without.emitters.size();

    fs::create_directories(root / "emettitori");
    std::ofstream(root / "emettitori" / "b.csv") << kHead << "Secondo;600;100;1,3;0,2;scheda\n";
    std::ofstream(root / "emettitori" / "a.csv") << kHead << "Primo;600;100;1,3;0,2;scheda\n"
                                                 << "Rotto;600\n";
    std::ofstream(root / "emettitori" / "nota.txt") << "non un catalogo";
    const Catalogue with = LoadCatalogues(root / "tubi");
    ASSERT_EQ(with.emitters.size(), builtIn + 2);
    EXPECT_EQ(with.emitters[builtIn].name, "Primo");
    EXPECT_EQ(with.emitters[builtIn].file, "a");
    EXPECT_EQ(with.emitters[builtIn + 1].name, "Secondo");
    ASSERT_EQ(with.emitterProblems.size(), 1U);
    EXPECT_EQ(with.emitterProblems[0].line, 4);
    EXPECT_EQ(fs::path(with.emitterProblems[0].file).filename(), "a.csv");
    EXPECT_TRUE(with.problems.empty());
}

}  // namespace
}  // namespace idrovela::catalogues
