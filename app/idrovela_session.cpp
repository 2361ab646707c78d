// idrovela-session [SCRIPT]: drives the window model and its tools with a script of user actions,
// from SCRIPT or from standard input, and prints what they show.

#include <cstdlib>
#include <fstream>
#include <iostream>

#include "catalogues/user_catalogues.h"
#include "session/session.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: idrovela-session [SCRIPT]\n";
        return 2;
    }
    const auto userCatalogues = idrovela::catalogues::UserCatalogueDir(
        [](const char* name) -> const char* { return std::getenv(name); });
    if (argc == 2) {
        std::ifstream script(argv[1]);
        if (!script) {
            std::cerr << "idrovela-session: cannot read " << argv[1] << '\n';
            return 2;
        }
        return idrovela::session::RunSession(script, std::cout, std::cerr, userCatalogues);
    }
    return idrovela::session::RunSession(std::cin, std::cout, std::cerr, userCatalogues);
}
