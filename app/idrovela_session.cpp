// idrovela-session [SCRIPT]: drives the window model with a script of user actions, from SCRIPT
// or from standard input, and prints what the window shows.

#include <fstream>
#include <iostream>

#include "session/session.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: idrovela-session [SCRIPT]\n";
        return 2;
    }
    if (argc == 2) {
        std::ifstream script(argv[1]);
        if (!script) {
            std::cerr << "idrovela-session: cannot read " << argv[1] << '\n';
            return 2;
        }
        return idrovela::session::RunSession(script, std::cout, std::cerr);
    }
    return idrovela::session::RunSession(std::cin, std::cout, std::cerr);
}
