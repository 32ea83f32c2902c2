#include "files/Utf8Path.h"

#ifdef _WIN32
#include "files/WindowsText.h"
#endif

namespace ravelin {

#ifdef _WIN32

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return WideFromUtf8(utf8);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return Utf8FromWide(path.native());
}

std::string NarrowPathFromUtf8(std::string_view utf8) {
    return AnsiFromWide(WideFromUtf8(utf8));
}

std::string Utf8FromNarrowPath(std::string_view narrow) {
    return Utf8FromWide(WideFromAnsi(narrow));
}

#else

// The bytes as they are: a name that is not valid UTF-8 still names its file.
std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::string(utf8);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.native();
}

std::string NarrowPathFromUtf8(std::string_view utf8) {
    return std::string(utf8);
}

std::string Utf8FromNarrowPath(std::string_view narrow) {
    return std::string(narrow);
}

#endif

}  // namespace ravelin
