#include "files/StringRoutines.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

namespace ravelin {
namespace {

TEST(StringRoutines, LowerCaseFoldedMapsCapitalsAndYieldsPerFoldTableCapital) {
    int yields = 0;
    // A-Z and five fold-table capitals; then AE, OE, thorn and Z caron, which take the ordinary
    // mapping without a yield; then bytes that are no capitals (x sign, sharp s, a grave).
    const std::string folded = LowerCaseFolded(
        "AZ\x8A\x9F\xC0\xD0\xDD\xC6\x8C\xDE\x8E\xD7\xDF\xE0@[", [&yields] { ++yields; });
    EXPECT_EQ(folded, "az\x9A\xFF\xE0\xF0\xFD\xE6\x9C\xFE\x9E\xD7\xDF\xE0@[");
    EXPECT_EQ(yields, 5);
}

TEST(StringRoutines, RemoveCharsFromStartPosition) {
    const std::tuple<std::string, std::string, int32_t, std::string> rows[] = {
        {"a-b--c", "-", 1, "abc"}, {"a-b--c", "-", 3, "a-bc"}, {"a-b--c", "-", -4, "abc"},
        {"ab--", "-", 1, "ab"},    {"--", "-", 1, ""},         {"a-b", "", 1, "a-b"},
        {"a-b", "-", 9, "a-b"},    {"x*y?z", "?*", 1, "xyz"},
    };
    for (const auto& [in, characters, start, out] : rows) {
        std::string text = in;
        RemoveChars(text, characters, start);
        EXPECT_EQ(text, out) << in << " from " << start;
    }
}

TEST(StringRoutines, FindFirstOfAndFirstNotOf) {
    int32_t index = 99;
    EXPECT_EQ(FindFirstOf("hello", 0, "z", index), 0);
    EXPECT_EQ(FindFirstOf("hello", 1, "", index), 0);
    EXPECT_EQ(FindFirstOf("", 1, "h", index), 0);
    EXPECT_EQ(index, 99);
    EXPECT_EQ(FindFirstOf("hello.txt", -2, ".ll", index), 3);
    EXPECT_EQ(index, 2);  // the first occurrence within the characters
    EXPECT_EQ(FindFirstOf("hello.txt", 5, ".l", index), 6);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(FindFirstNotOf("abc", 3, ""), 1);
    EXPECT_EQ(FindFirstNotOf("", 1, "a"), 0);
    EXPECT_EQ(FindFirstNotOf("**a*", 0, "*"), 3);
    EXPECT_EQ(FindFirstNotOf("**a*", 4, "*"), 0);
}

TEST(StringRoutines, LeftPartKeepCharactersAndTrimTrailingControlChars) {
    EXPECT_EQ(LeftPart("abc", 0), "");
    EXPECT_EQ(LeftPart("abc", 2), "ab");
    EXPECT_EQ(LeftPart("abc", 5), "abc");
    EXPECT_EQ(KeepCharacters("a1-b2+c3", "0123456789+-"), "1-2+3");
    const std::pair<std::string, std::string> rows[] = {
        {std::string("abc\0", 4), "abc"},
        {"a\x1F b\r\n\t", "a\x1F b"},
        {"\r\n", ""},
        {"caf\xE9", "caf\xE9"},  // a byte above 127 is no control character
    };
    for (auto [text, trimmed] : rows) {
        TrimTrailingControlChars(text);
        EXPECT_EQ(text, trimmed);
    }
}

TEST(StringRoutines, OrdinalSuffixes) {
    const std::pair<int32_t, const char*> rows[] = {
        {0, "0th"},   {1, "1st"},   {2, "2nd"},   {3, "3rd"},     {4, "4th"}, {11, "11th"},
        {12, "12th"}, {13, "13th"}, {21, "21st"}, {111, "111st"}, {-2, "-2"},
    };
    for (const auto& [n, text] : rows) {
        EXPECT_EQ(Ordinal(n), text) << n;
    }
}

}  // namespace
}  // namespace ravelin
