#include "files/StringRoutines.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace ravelin {
namespace {

std::string Removed(std::string text, std::string_view characters, int32_t start) {
    RemoveChars(text, characters, start);
    return text;
}

std::string Trimmed(std::string text) {
    TrimTrailingControlChars(text);
    return text;
}

// "position/index", index 99 when it was left alone.
std::string FirstOf(std::string_view text, int32_t start, std::string_view characters) {
    int32_t index = 99;
    const int32_t position = FindFirstOf(text, start, characters, index);
    return std::to_string(position) + "/" + std::to_string(index);
}

TEST(StringRoutines, EachRoutineGivesItsResult) {
    struct Row {
        std::string actual;
        std::string expected;
    };
    const Row rows[] = {
        // A-Z and the capitals of the 0x8A-0x9F range and of 0xC0-0xDE, but neither the
        // multiplication sign 0xD7 nor sharp s, nor the neighbours of A-Z.
        {LowerCaseFolded("AZ\x8A\x8C\x8E\x9F\xC0\xC6\xDE\xD7\xDF@["),
         "az\x9A\x9C\x9E\xFF\xE0\xE6\xFE\xD7\xDF@["},
        {AsciiLowerCase("AZ@[\xC3\x89"), "az@[\xC3\x89"},
        {Removed("a-b", "-", 2), "ab"},
        {Removed("a-b-", "-", 3), "a-b"},
        {Removed("a-b--c", "-", -4), "abc"},
        {Removed("x*y?z", "?*", 1), "xyz"},
        {FirstOf("hello.txt", -2, ".ll"), "3/2"},  // the first occurrence among the characters
        {FirstOf("hello.txt", 5, ".l"), "6/1"},
        {FirstOf("hello", 1, "z"), "0/99"},
        {std::to_string(FindFirstNotOf("abc", 3, "")), "1"},
        {std::to_string(FindFirstNotOf("", 1, "")), "0"},
        {std::to_string(FindFirstNotOf("**a*", 0, "*")), "3"},
        {std::to_string(FindFirstNotOf("**a*", 4, "*")), "0"},
        {LeftPart("abc", -1), ""},
        {LeftPart("abc", 2), "ab"},
        {LeftPart("abc", 5), "abc"},
        {KeepCharacters("a1-b2+c3", "0123456789+-"), "1-2+3"},
        {Trimmed(std::string("abc\0", 4)), "abc"},
        {Trimmed("a\x1F b\r\n\t"), "a\x1F b"},
        {Trimmed("caf\xE9"), "caf\xE9"},  // a byte above 127 is no control character
        {Ordinal(1) + Ordinal(2) + Ordinal(3) + Ordinal(4), "1st2nd3rd4th"},
        {Ordinal(11) + Ordinal(12) + Ordinal(13), "11th12th13th"},
        {Ordinal(21) + Ordinal(111) + Ordinal(-2), "21st111st-2"},
        {std::string(TrimSpaces("  \ta b  ")), "\ta b"},
        {std::string(TrimSpaces("   ")), ""},
        {CrLfToLf("a\r\nb\r\n"), "a\nb\n"},
        {CrLfToLf("a\rb\n\r"), "a\rb\n\r"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(rows[i].actual, rows[i].expected) << "row " << i;
    }
}

TEST(StringRoutines, EscapedNameShowsEveryControlByteAndKeepsTheRest) {
#ifdef _WIN32
    const std::string backslash = "\\";  // a path's separator there, kept as it is
#else
    const std::string backslash = "\\\\";
#endif
    const std::pair<std::string, std::string> rows[] = {
        {"plain name.txt", "plain name.txt"},
        {"a\\b\tc\nd\re", "a" + backslash + "b\\tc\\nd\\re"},
        {std::string("\x01\x1b[31m\x7f\x1f", 8), "\\x01\\x1b[31m\\x7f\\x1f"},
        {"caf\xC3\xA9 \xFF", "caf\xC3\xA9 \xFF"},  // bytes above 127 stay, to open the file
        {"\\x41", backslash + "x41"},  // never mistaken for an escape where names hold it
    };
    for (const auto& [name, escaped] : rows) {
        EXPECT_EQ(EscapedName(name), escaped);
    }
    EXPECT_EQ(EscapedForTerminal("one\nt\two\x1b\n"), "one\nt\\two\\x1b\n");
}

}  // namespace
}  // namespace ravelin
