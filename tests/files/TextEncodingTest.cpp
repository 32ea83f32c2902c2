#include "files/TextEncoding.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

TEST(TextEncoding, Cp1252RoundTripsThroughUtf8ForEveryDefinedByte) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::string utf8 = Cp1252ToUtf8(one);
        ASSERT_TRUE(IsValidUtf8(utf8)) << byte;
        std::string back;
        ASSERT_TRUE(Utf8ToCp1252(utf8, back)) << byte;
        EXPECT_EQ(back, one) << byte;
    }
}

TEST(TextEncoding, Cp1252NamesItsOwnCharacters) {
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");          // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\x9C\x9A"), "\xC5\x93\xC5\xA1");  // oe and s caron
}

TEST(TextEncoding, Utf8ToCp1252ReplacesWhatThePageCannotHold) {
    std::string out;
    EXPECT_TRUE(Utf8ToCp1252("a\xE2\x86\x92z", out));  // an arrow has no Windows-1252 code
    EXPECT_EQ(out, "a?z");
    EXPECT_FALSE(Utf8ToCp1252("a\xFFz", out));
    EXPECT_EQ(out, "a?z");
}

TEST(TextEncoding, LossyKeepsValidTextAndMarksEachBrokenByte) {
    struct Row {
        std::string in;
        std::string out;
    };
    const Row rows[] = {
        {"plain.txt", "plain.txt"},
        {"caf\xC3\xA9.txt", "caf\xC3\xA9.txt"},
        {"bad\xFF.txt", "bad\xEF\xBF\xBD.txt"},
        {"\xC3", "\xEF\xBF\xBD"},                                  // truncated sequence
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // overlong slash
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // surrogate
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Utf8Lossy(row.in), row.out) << row.in;
        EXPECT_TRUE(IsValidUtf8(Utf8Lossy(row.in)));
    }
}

TEST(TextEncoding, Utf16LengthCountsSupplementaryCharactersTwice) {
    EXPECT_EQ(Utf16Length(""), 0);
    EXPECT_EQ(Utf16Length("abc"), 3);
    EXPECT_EQ(Utf16Length("caf\xC3\xA9"), 4);
    EXPECT_EQ(Utf16Length("\xE2\x82\xAC"), 1);
    EXPECT_EQ(Utf16Length("\xF0\x9F\x98\x80"), 2);
}

}  // namespace
}  // namespace ravelin
