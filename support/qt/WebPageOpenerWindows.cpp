#include "support/qt/WebLauncher.h"

#include <string>

// The shell's header needs the types of windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace ravelin {

// The shell's open operation with the default verb, as a normal window. The wide form takes the
// address as it is, where the 8-bit form would lose what the code page cannot write. The shell
// returns a pseudo-handle whose value is the result code.
int32_t DesktopWebPageOpener::Open(const QString& address) {
    const std::wstring file = address.toStdWString();
    const HINSTANCE result =
        ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return static_cast<int32_t>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace ravelin
