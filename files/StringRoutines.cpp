#include "files/StringRoutines.h"

#include <algorithm>

namespace ravelin {
namespace {

// The accented capitals and, at the same index, their small partners. Æ, Œ, Þ and Ž are not
// among them: they take the ordinary mapping and do not yield.
constexpr std::string_view kFoldCapitals =
    "\x8A\x9F\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD"
    "\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD";
constexpr std::string_view kFoldSmalls =
    "\x9A\xFF\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xEC\xED"
    "\xEE\xEF\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD";
static_assert(kFoldCapitals.size() == 30 && kFoldSmalls.size() == 30);

char OrdinaryLower(char c) {
    const auto byte = static_cast<unsigned char>(c);
    const bool latinCapital = byte >= 'A' && byte <= 'Z';
    const bool accentedCapital = byte >= 0xC0 && byte <= 0xDE && byte != 0xD7;  // 0xD7 is ×
    if (latinCapital || accentedCapital) {
        return static_cast<char>(byte + 0x20);
    }
    switch (byte) {
        case 0x8A:
            return '\x9A';
        case 0x8C:
            return '\x9C';
        case 0x8E:
            return '\x9E';
        case 0x9F:
            return '\xFF';
        default:
            return c;
    }
}

// 0-based index of a 1-based start position; positions before the first count as the first.
size_t StartIndex(int32_t start) {
    return start < 1 ? 0 : static_cast<size_t>(start - 1);
}

int32_t Position(size_t index) {
    return static_cast<int32_t>(index + 1);
}

}  // namespace

std::string LowerCaseFolded(std::string_view text, const YieldFunction& yield) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        const size_t fold = kFoldCapitals.find(c);
        if (fold == std::string_view::npos) {
            result.push_back(OrdinaryLower(c));
            continue;
        }
        result.push_back(kFoldSmalls[fold]);
        if (yield) {
            yield();
        }
    }
    return result;
}

void RemoveChars(std::string& text, std::string_view characters, int32_t start) {
    const size_t from = StartIndex(start);
    if (from >= text.size()) {
        return;
    }
    const auto removed = [characters](char c) {
        return characters.find(c) != std::string_view::npos;
    };
    const auto first = text.begin() + static_cast<std::ptrdiff_t>(from);
    text.erase(std::remove_if(first, text.end(), removed), text.end());
}

int32_t FindFirstOf(std::string_view text, int32_t start, std::string_view characters,
                    int32_t& index) {
    if (text.empty() || characters.empty()) {
        return 0;
    }
    const size_t found = text.find_first_of(characters, StartIndex(start));
    if (found == std::string_view::npos) {
        return 0;
    }
    index = Position(characters.find(text[found]));
    return Position(found);
}

int32_t FindFirstNotOf(std::string_view text, int32_t start, std::string_view characters) {
    if (text.empty()) {
        return 0;
    }
    if (characters.empty()) {
        return 1;
    }
    const size_t found = text.find_first_not_of(characters, StartIndex(start));
    return found == std::string_view::npos ? 0 : Position(found);
}

std::string LeftPart(std::string_view text, int32_t n) {
    if (n <= 0) {
        return {};
    }
    return std::string(text.substr(0, static_cast<size_t>(n)));
}

std::string KeepCharacters(std::string_view text, std::string_view allowed) {
    std::string kept;
    for (const char c : text) {
        if (allowed.find(c) != std::string_view::npos) {
            kept.push_back(c);
        }
    }
    return kept;
}

void TrimTrailingControlChars(std::string& text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 32) {
        text.pop_back();
    }
}

std::string Ordinal(int32_t n) {
    std::string number = std::to_string(n);
    if (n < 0) {
        return number;
    }
    // Only 11 to 13 themselves are exceptions: 111 becomes "111st".
    if (n >= 11 && n <= 13) {
        return number + "th";
    }
    switch (n % 10) {
        case 1:
            return number + "st";
        case 2:
            return number + "nd";
        case 3:
            return number + "rd";
        default:
            return number + "th";
    }
}

std::string_view TrimSpaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace ravelin
