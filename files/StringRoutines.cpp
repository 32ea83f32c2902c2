#include "files/StringRoutines.h"

#include <algorithm>

namespace ravelin {
namespace {

// 0-based index of a 1-based start position; positions before the first count as the first.
size_t StartIndex(int32_t start) {
    return start < 1 ? 0 : static_cast<size_t>(start - 1);
}

int32_t Position(size_t index) {
    return static_cast<int32_t>(index + 1);
}

}  // namespace

std::string LowerCaseFolded(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = Cp1252LowerCase(c);
    }
    return result;
}

std::string AsciiLowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
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

std::string CrLfToLf(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') {
            result.push_back(text[i]);
        }
    }
    return result;
}

namespace {

// A Windows name holds no backslash and no control byte, so a backslash there is only ever a
// path's separator, and doubling it would only garble the path.
#ifdef _WIN32
constexpr bool kBackslashSeparatesOnly = true;
#else
constexpr bool kBackslashSeparatesOnly = false;
#endif

std::string Escaped(std::string_view text, bool keepLineFeeds) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' && keepLineFeeds) {
            out.push_back(c);
            continue;
        }
        switch (c) {
            case '\\':
                out += kBackslashSeparatesOnly ? "\\" : "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    out += "\\x";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 15];
                } else {
                    out.push_back(c);
                }
        }
    }
    return out;
}

}  // namespace

std::string EscapedName(std::string_view name) {
    return Escaped(name, false);
}

std::string EscapedForTerminal(std::string_view text) {
    return Escaped(text, true);
}

}  // namespace ravelin
