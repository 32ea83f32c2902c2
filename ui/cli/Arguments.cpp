#include "ui/cli/Arguments.h"

#ifdef _WIN32
#include "files/WindowsText.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>
#endif

namespace ravelin::cli {

#ifdef _WIN32

std::vector<std::string> Utf8Arguments(int argc, const char* const* argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) {
        return {argv, argv + argc};
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(Utf8FromWide(wide[i]));
    }
    ::LocalFree(wide);
    return arguments;
}

#else

std::vector<std::string> Utf8Arguments(int argc, const char* const* argv) {
    return {argv, argv + argc};
}

#endif

}  // namespace ravelin::cli
