#pragma once

// File names are UTF-8 inside the program on every platform. These turn them into the paths of
// the standard library and back, and into the narrow paths that C interfaces such as the text
// library take: the ANSI code page on Windows, where a std::filesystem::path made from a
// std::string would read the bytes in that code page too.

#include <filesystem>
#include <string>
#include <string_view>

namespace ravelin {

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// Unchanged outside Windows. A character that the code page lacks becomes a replacement
// character, so such a path names no file.
std::string NarrowPathFromUtf8(std::string_view utf8);
std::string Utf8FromNarrowPath(std::string_view narrow);

}  // namespace ravelin
