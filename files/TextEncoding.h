#pragma once

// Conversions between the three encodings the program meets: Windows-1252 (the reduced words and
// the program texts), UTF-8 (file names, the report) and UTF-16 (how a text box counts characters).

#include <cstdint>
#include <string>
#include <string_view>

namespace ravelin {

// Every byte becomes the character that Windows-1252 gives it; the five codes that page leaves
// undefined become the C1 control characters of the same value, as Windows converts them.
std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters that Windows-1252 cannot hold become '?', and so does each byte of a broken UTF-8
// sequence.
std::string Utf8ToCp1252(std::string_view utf8);

// Valid UTF-8 passes unchanged; every byte that is not part of a valid sequence becomes U+FFFD,
// so a name that is not UTF-8 can still be shown.
std::string Utf8Lossy(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

// Number of UTF-16 code units of a valid UTF-8 text.
int64_t Utf16Length(std::string_view utf8);

}  // namespace ravelin
