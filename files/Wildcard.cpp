#include "files/Wildcard.h"

#include "files/StringRoutines.h"

namespace ravelin {
namespace {

constexpr auto kNone = std::string_view::npos;

bool OnlyAsterisks(std::string_view pattern) {
    return pattern.find_first_not_of('*') == kNone;
}

bool WalkPattern(std::string_view text, std::string_view pattern) {
    size_t i = 0;
    size_t j = 0;
    while (j < pattern.size()) {
        if (pattern[j] == '*') {
            const size_t literal = pattern.find_first_not_of("*?", j);
            if (literal == kNone) {
                return true;
            }
            i = text.find(pattern[literal], i);
            if (i == kNone) {
                return false;
            }
            ++j;  // i stays on the found character, which the pattern's next character meets
            continue;
        }
        if (i >= text.size() || (pattern[j] != '?' && text[i] != pattern[j])) {
            return false;
        }
        ++i;
        ++j;
    }
    return i >= text.size();
}

bool MatchPrepared(std::string_view text, std::string_view pattern) {
    if (text == pattern) {
        return true;
    }
    if (text.empty()) {
        return OnlyAsterisks(pattern);
    }
    if (pattern.empty()) {
        return true;
    }
    return WalkPattern(text, pattern);
}

}  // namespace

bool FileNameMatches(std::string_view name, std::string_view pattern, bool caseSensitive) {
    if (name.find_first_of("?*:\\") != kNone) {
        return false;
    }
    pattern = TrimSpaces(pattern);
    if (pattern.empty()) {
        return true;
    }
    const size_t nameDot = name.rfind('.');
    const size_t patternDot = pattern.rfind('.');
    if (patternDot == kNone) {
        return nameDot == kNone && MatchNamePart(name, pattern, caseSensitive);
    }
    if (nameDot == kNone) {
        // A name without extension meets "x.*" and "x." as if its extension were empty.
        return OnlyAsterisks(pattern.substr(patternDot + 1)) &&
               MatchNamePart(name, pattern.substr(0, patternDot), caseSensitive);
    }
    const bool baseMatches =
        MatchNamePart(name.substr(0, nameDot), pattern.substr(0, patternDot), caseSensitive);
    const bool extensionMatches =
        MatchNamePart(name.substr(nameDot + 1), pattern.substr(patternDot + 1), caseSensitive);
    return baseMatches && extensionMatches;
}

bool MatchNamePart(std::string_view text, std::string_view pattern, bool caseSensitive) {
    if (caseSensitive) {
        return MatchPrepared(text, pattern);
    }
    return MatchPrepared(LowerCaseFolded(text), LowerCaseFolded(pattern));
}

}  // namespace ravelin
