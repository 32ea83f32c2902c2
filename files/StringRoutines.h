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

// The Windows-1252 lower case of one character: A-Z, the accented capitals (0xD7 is the
// multiplication sign) and S caron, OE, Z caron and Y diaeresis take their small partners.
// constexpr, so that byte tables can be built from it at compile time.
constexpr char Cp1252LowerCase(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
        return static_cast<char>(byte + 0x20);
    }
    switch (byte) {
        case 0x8A:
        case 0x8C:
        case 0x8E:
            return static_cast<char>(byte + 0x10);
        case 0x9F:
            return '\xFF';
        default:
            return c;
    }
}

// Cp1252LowerCase of every character, for matching names.
std::string LowerCaseFolded(std::string_view text);

// Only A-Z change, so that the bytes of a UTF-8 sequence stay as they are.
std::string AsciiLowerCase(std::string_view text);

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

// A name as one line of plain text for a terminal or a list: a backslash, tab, line feed and
// carriage return become \\, \t, \n and \r, any other control byte \xNN (two lower-case hex
// digits); every other byte stays. On Windows, where no name holds a backslash or a control
// byte, a backslash is a path's separator and stays as it is.
std::string EscapedName(std::string_view name);

// The same escapes for a text of many lines shown on a terminal: only its line feeds stay.
std::string EscapedForTerminal(std::string_view text);

// Every CR LF becomes LF, for the widgets and programs of this system; a lone CR stays.
std::string CrLfToLf(std::string_view text);

}  // namespace ravelin
