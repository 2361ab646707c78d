#include "app/parent_console.h"

#include <windows.h>

#include <cstdio>
#include <iostream>

namespace idrovela::app {

namespace {

// Whether `stream` leads somewhere: a file, a pipe or a console given by the parent.
bool Redirected(DWORD stream) {
    const HANDLE handle = ::GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void WriteToParentConsole() {
    const bool output = Redirected(STD_OUTPUT_HANDLE);
    const bool error = Redirected(STD_ERROR_HANDLE);
    if ((output && error) || !::AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    if (!output && std::freopen("CONOUT$", "w", stdout) != nullptr) {
        std::cout.clear();
    }
    if (!error && std::freopen("CONOUT$", "w", stderr) != nullptr) {
        std::cerr.clear();
    }
}

}  // namespace idrovela::app
