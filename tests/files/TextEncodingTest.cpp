#include "files/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

namespace ravelin {
namespace {

TEST(TextEncoding, Cp1252RoundTripsThroughUtf8ForEveryByte) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::string utf8 = Cp1252ToUtf8(one);
        ASSERT_TRUE(IsValidUtf8(utf8)) << byte;
        EXPECT_EQ(Utf8ToCp1252(utf8), one) << byte;
    }
}

TEST(TextEncoding, ConvertsTheCharactersTheTablesName) {
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9 \x80\x9C"), "caf\xC3\xA9 \xE2\x82\xAC\xC5\x93");
    // An arrow has no Windows-1252 code; a broken byte gets the same mark.
    EXPECT_EQ(Utf8ToCp1252("a\xE2\x86\x92z\xFF"), "a?z?");
    EXPECT_EQ(Utf16Length("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"), 9);
}

TEST(TextEncoding, LossyKeepsValidTextAndMarksEachBrokenByte) {
    const std::string mark = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> rows[] = {
        {"caf\xC3\xA9.txt", "caf\xC3\xA9.txt"},
        {"bad\xFF.txt", "bad" + mark + ".txt"},
        {"\xE0\x80\xAF", mark + mark + mark},  // overlong slash
        {"\xED\xA0\x80", mark + mark + mark},  // surrogate
    };
    for (const auto& [in, out] : rows) {
        EXPECT_EQ(Utf8Lossy(in), out) << in;
        EXPECT_EQ(IsValidUtf8(in), in == out) << in;
    }
}

}  // namespace
}  // namespace ravelin
