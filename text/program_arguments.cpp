#include "text/program_arguments.h"

#ifdef _WIN32
// <shellapi.h> needs <windows.h> first.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string_view>

#include "text/path_text.h"
#endif

namespace idrovela::text {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    if (wchar_t** const wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        std::vector<std::string> arguments;
        for (int i = 0; i < count; ++i) {
            const std::wstring_view argument(wide[i]);
            arguments.push_back(Utf8FromUtf16(std::u16string(argument.begin(), argument.end())));
        }
        ::LocalFree(wide);
        return arguments;
    }
#endif
    return {argv, argv + argc};
}

}  // namespace idrovela::text
