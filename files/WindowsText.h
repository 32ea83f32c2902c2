#pragma once

// Conversions between the program's UTF-8 and the two encodings of Windows calls: UTF-16 for the
// wide calls, and the ANSI code page for the narrow ones. A character that has no place in the
// target becomes a replacement character rather than an error. Windows only.

#include <string>
#include <string_view>

namespace ravelin {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

std::wstring WideFromAnsi(std::string_view ansi);
std::string AnsiFromWide(std::wstring_view wide);

}  // namespace ravelin
