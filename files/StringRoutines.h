#pragma once

// Small routines on texts of single-byte characters (Windows-1252). Positions are 1-based, and
// every comparison of characters compares bytes.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ravelin {

// Lets the window handle its pending events during long work; an empty function does nothing.
using YieldFunction = std::function<void()>;

// Lower case for matching names: A-Z, the accented capitals and the capitals of the 0x8A-0x9F
// range take their small partners. Calls `yield` once after each accented capital it replaces.
std::string LowerCaseFolded(std::string_view text, const YieldFunction& yield = {});

// Removes every character that occurs in `characters`, from position `start` on.
void RemoveChars(std::string& text, std::string_view characters, int32_t start = 1);

// Position of the first character at or after `start` that occurs in `characters`, with its
// position within `characters` in `index`; 0, leaving `index` alone, when there is none.
int32_t FindFirstOf(std::string_view text, int32_t start, std::string_view characters,
                    int32_t& index);

// Position of the first character at or after `start` that does not occur in `characters`, or 0.
// An empty text gives 0; an empty set of characters gives 1 whatever the start.
int32_t FindFirstNotOf(std::string_view text, int32_t start, std::string_view characters);

// The first `n` characters; the whole text when it is shorter, nothing when n <= 0.
std::string LeftPart(std::string_view text, int32_t n);

// The characters of `text` that occur in `allowed`, in their order.
std::string KeepCharacters(std::string_view text, std::string_view allowed);

// Drops the NUL and other control characters that registry values can carry at their end.
void TrimTrailingControlChars(std::string& text);

// "1st", "2nd", "3rd", "4th", "11th" ...; a negative number gets no suffix.
std::string Ordinal(int32_t n);

// Without leading and trailing blanks; other white space stays.
std::string_view TrimSpaces(std::string_view text);

}  // namespace ravelin
