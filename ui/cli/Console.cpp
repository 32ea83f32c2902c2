#include "ui/cli/Console.h"

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace ravelin::cli {

#ifdef _WIN32

namespace {

bool IsConsole(DWORD stream) {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(stream), &mode) != 0;
}

}  // namespace

bool StandardOutputIsTerminal() {
    return IsConsole(STD_OUTPUT_HANDLE);
}

Console::Console() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    if (IsConsole(STD_OUTPUT_HANDLE) || IsConsole(STD_ERROR_HANDLE)) {
        previousCodePage_ = ::GetConsoleOutputCP();
        ::SetConsoleOutputCP(CP_UTF8);
    }
    DWORD mode = 0;
    const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
    if (::GetConsoleMode(error, &mode) != 0) {
        previousMode_ = mode;
        // A console older than Windows 10 refuses the sequences, and shows no bar.
        errorIsTerminal_ = ::SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
    }
}

Console::~Console() {
    if (errorIsTerminal_) {
        ::SetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), previousMode_);
    }
    if (previousCodePage_ != 0) {
        ::SetConsoleOutputCP(previousCodePage_);
    }
}

#else

bool StandardOutputIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}

Console::Console() : errorIsTerminal_(::isatty(STDERR_FILENO) == 1) {}

#endif

}  // namespace ravelin::cli
