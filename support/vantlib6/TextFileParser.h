#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace vantlib6 {

// Text number to text in Windows-1252.
using TextMap = std::map<int32_t, std::string>;

// Texts may be longer than any caller's buffer; callers cut them.
inline constexpr std::size_t kMaxTextLength = 4096;

inline constexpr int32_t kMaxTextNumber = 32767;

// Parses the bytes of a program-text file into `texts`. Returns the number of texts (1 or more)
// or a load error code.
int32_t ParseTextFile(std::string_view content, TextMap& texts);

}  // namespace vantlib6
