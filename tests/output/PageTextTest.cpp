#include "TempFolder.h"
#include "Utf16.h"
#include "output/PageText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravelin {
namespace {

using testing::Utf16;

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
    // A whole text that cannot be shown is empty, and every place in it is its start.
    for (const std::string& path : {folder / "missing.txt", folder.Write("big.txt", stored)}) {
        const WholePageText whole = ReadWholePageText(path, stored.size() - 1);
        EXPECT_EQ(whole.text, "");
        EXPECT_FALSE(whole.shown);
        EXPECT_EQ(whole.places.At(40), 0U);
    }
}

}  // namespace
}  // namespace ravelin
