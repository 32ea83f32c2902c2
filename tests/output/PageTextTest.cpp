#include "TempFolder.h"
#include "output/PageText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravelin {
namespace {

// The page's script counts UTF-16 units; so does this, over the UTF-8 the page holds.
std::u16string Utf16(const std::string& utf8) {
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

std::vector<std::u16string> MarkedWords(const PageText& page) {
    const std::u16string text = Utf16(page.text);
    std::vector<std::u16string> words;
    for (size_t k = 0; k + 1 < page.spans.size(); k += 2) {
        words.push_back(text.substr(page.spans[k], page.spans[k + 1] - page.spans[k]));
    }
    return words;
}

// Each stored text's words are found where the page shows them, whatever the encoding, the
// line ends, the characters outside the basic plane, or a repaired sequence inside a word.
TEST(PageTextTest, TheSpansPointAtTheWordsAsShown) {
    struct Row {
        std::string stored;
        int32_t words;
        std::vector<std::u16string> expected;
    };
    const Row rows[] = {
        {"\xC3\x9C"
         "ber the caf\xC3\xA9\r\nnext\xE2\x80\x94word",
         9,
         {u"Über", u"café", u"next", u"word"}},
        {"\xF0\x9F\x98\x80 emoji then Stra\xDF"
         "e\r\nand more",
         3,
         {u"emoji", u"then", u"Straße"}},
        {"\xF0\x9F\x98\x80 emoji then Stra\xC3\x9F"
         "e\r\nand more",
         3,
         {u"emoji", u"then", u"Straße"}},
        {"skip this, then stop here", 2, {u"skip", u"this"}},
        {"", 5, {}},
    };
    for (const Row& row : rows) {
        testing::TempFolder folder;
        const PageText page = ReadPageText(folder.Write("f.txt", row.stored), row.words, 8);
        EXPECT_EQ(MarkedWords(page), row.expected) << row.stored;
    }
}

TEST(PageTextTest, ALongFileIsCutAfterItsWordsAndSaysSo) {
    testing::TempFolder folder;
    std::string stored;
    for (int i = 0; i < 5000; ++i) {
        stored += "wordy" + std::to_string(i) + (i % 7 == 0 ? "\r\n" : " ");
    }
    const PageText page = ReadPageText(folder.Write("f.txt", stored), 400, 100);
    ASSERT_EQ(page.spans.size(), 800U);
    EXPECT_EQ(MarkedWords(page).back(), u"wordy399");
    EXPECT_LT(page.text.size(), stored.size() / 2);
    EXPECT_TRUE(page.text.ends_with("\xE2\x80\xA6"));
    EXPECT_EQ(ReadPageText(folder / "missing.txt", 5, 100).text, "");
}

}  // namespace
}  // namespace ravelin
