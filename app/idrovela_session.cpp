// idrovela-session [SCRIPT]: drives the window model and its tools with a script of user actions,
// from SCRIPT or from standard input, and prints what they show.

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "catalogues/user_catalogues.h"
#include "session/session.h"
#include "text/path_text.h"
#include "text/program_arguments.h"

namespace {

// The environment's variables in UTF-8, as std::getenv gives them on Linux; on Windows read wide,
// for the same reason as the arguments. What it returns lives as long as the Environment.
class Environment {
  public:
    const char* Get(const char* name) {
#ifdef _WIN32
        const std::u16string wideName = idrovela::text::Utf16FromUtf8(name);
        const wchar_t* const value =
            ::_wgetenv(std::wstring(wideName.begin(), wideName.end()).c_str());
        if (value == nullptr) {
            return nullptr;
        }
        const std::wstring_view wide(value);
        return values_
            .insert_or_assign(
                name, idrovela::text::Utf8FromUtf16(std::u16string(wide.begin(), wide.end())))
            .first->second.c_str();
#else
        return std::getenv(name);
#endif
    }

  private:
    std::map<std::string, std::string> values_;
};

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes as on Linux: no line end turned into CR LF on the way out, nor back on the
    // way in.
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string> arguments = idrovela::text::ProgramArguments(argc, argv);
    if (arguments.size() > 2) {
        std::cerr << "usage: idrovela-session [SCRIPT]\n";
        return 2;
    }
    Environment environment;
    const auto userCatalogues = idrovela::catalogues::UserCatalogueDir(
        [&environment](const char* name) { return environment.Get(name); });
    if (arguments.size() == 2) {
        std::ifstream script(idrovela::text::PathFromUtf8(arguments[1]), std::ios::binary);
        if (!script) {
            std::cerr << "idrovela-session: cannot read " << arguments[1] << '\n';
            return 2;
        }
        return idrovela::session::RunSession(script, std::cout, std::cerr, userCatalogues);
    }
    return idrovela::session::RunSession(std::cin, std::cout, std::cerr, userCatalogues);
}
