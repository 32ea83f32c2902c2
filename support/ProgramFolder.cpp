#include "support/ProgramFolder.h"

#include "files/Utf8Path.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <vector>
#include <windows.h>
#endif

namespace ravelin {
namespace {

#ifdef _WIN32

std::filesystem::path Executable() {
    // A path may be longer than MAX_PATH; the buffer grows until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            return std::wstring(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

#else

std::filesystem::path Executable() {
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable;
}

#endif

}  // namespace

std::string ProgramFolder() {
    return Utf8FromPath(Executable().parent_path());
}

std::string DataFolder(const std::string& programFolder, const std::string& probe) {
    std::error_code error;
    const std::filesystem::path folder = PathFromUtf8(programFolder);
    if (programFolder.empty() || std::filesystem::exists(folder / PathFromUtf8(probe), error)) {
        return programFolder;
    }
    const std::filesystem::path installed = folder.parent_path() / "share" / "ravelin";
    return std::filesystem::exists(installed / PathFromUtf8(probe), error) ? Utf8FromPath(installed)
                                                                           : programFolder;
}

}  // namespace ravelin
