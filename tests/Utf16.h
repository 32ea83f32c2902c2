#pragma once

// The page's script counts UTF-16 units; so do the tests, over the UTF-8 a page holds.

#include <cstdint>
#include <string>

namespace ravelin::testing {

inline std::u16string Utf16(const std::string& utf8) {
    std::u16string units;
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        uint32_t code = length == 1 ? c : c & (0x3F >> (length - 1));
        for (int k = 1; k < length; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        if (code >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(code));
        }
        i += static_cast<size_t>(length);
    }
    return units;
}

}  // namespace ravelin::testing
