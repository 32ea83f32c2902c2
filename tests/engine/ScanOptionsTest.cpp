#include "TextsForTests.h"
#include "engine/NumberValidation.h"
#include "engine/ScanOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace ravelin {
namespace {

TEST(Validation, KeepSignedDigitsKeepsOnlyALeadingSign) {
    const std::tuple<std::string, bool, bool, std::string> rows[] = {
        {"12abc", true, true, "12"}, {"+7", true, true, "+7"},   {"5-", true, true, "5"},
        {"--5", true, true, "-5"},   {"1-2", true, true, "12"},  {"-5", false, true, "5"},
        {"+5", true, false, "5"},    {"a-+3", true, true, "-3"}, {"x", true, true, ""},
    };
    for (const auto& [text, allowMinus, allowPlus, kept] : rows) {
        EXPECT_EQ(KeepSignedDigits(text, allowMinus, allowPlus), kept) << text;
    }
}

TEST(Validation, ValueAndMessageOfEachKindOfInput) {
    struct Row {
        std::string text;
        int32_t min;
        int32_t max;
        std::string fieldName;
        int32_t value;
        std::string message;  // empty exactly when the field is valid
    };
    const Row rows[] = {
        {"  42  ", 0, 500, "Skip", 42, ""},
        {"20", 20, 100, "N", 20, ""},
        {"1,000", 0, 500, "Skip", 1000, "Skip\r\n must not be greater than 500."},
        {"-5", 0, 500, "Skip", -5, "Skip\r\n must not be less than 0."},
        {"900", 0, 500, "", 900, "Textbox contains a value out of range."},
        {"   ", 0, 500, "Skip", 0, "Skip\r\nmust not be empty."},
        {"", 0, 500, "", 0, "Textbox must not be empty"},
        {"abc", 0, 500, "Skip", 0, "Skip\r\n must be a whole number."},
        {"-", -5, 5, "", 0, "Textbox must contain a whole number."},
        {"32768", -32768, 32767, "N", 32767, "N\r\n must not be greater than 32767."},
        {"99999999999999999999", 0, 500, "N", 32767, "N\r\n must not be greater than 500."},
        {"-32769", -32768, 32767, "N", -32768, "N\r\n must not be less than -32768."},
    };
    for (const Row& row : rows) {
        const ValidationResult result =
            ValidateNumberField(row.text, row.min, row.max, true, row.fieldName);
        EXPECT_EQ(result.value, row.value) << row.text;
        EXPECT_EQ(result.message, row.message) << row.text;
        EXPECT_EQ(result.invalid, !row.message.empty()) << row.text;
        EXPECT_EQ(result.showMessage, !row.message.empty()) << row.text;
    }
}

SettingTexts Texts(const std::string& folder) {
    SettingTexts texts = RestoreDefaults();
    texts[static_cast<size_t>(SettingId::Folder1)] = folder;
    texts[static_cast<size_t>(SettingId::Folder2)] = "  " + folder + " ";
    return texts;
}

// Each box lands in its own option: distinct values catch two settings read from one box.
TEST(ScanOptions, EachSettingLandsInItsOwnOption) {
    SettingTexts texts = Texts(RAVELIN_SOURCE_DIR);
    const std::pair<SettingId, std::string> values[] = {
        {SettingId::NumWordsToCompare, "31"}, {SettingId::NumWordsToDisplay, "7"},
        {SettingId::MatchThreshold, "66"},    {SettingId::NumWordsToSkip1, "4"},
        {SettingId::NumWordsToSkip2, "9"},    {SettingId::DisplayReducedText, "0"}};
    for (const auto& [id, text] : values) {
        texts[static_cast<size_t>(id)] = text;
    }
    const auto options = ReadScanOptions(texts, testing::MapTextCatalog(testing::ScanTexts()));
    ASSERT_TRUE(options.ok());
    const ScanOptions& o = options.value();
    EXPECT_EQ(std::make_tuple(o.numWordsToCompare, o.numWordsToDisplay, o.matchThreshold,
                              o.numWordsToSkip[0], o.numWordsToSkip[1], o.displayReducedText),
              std::make_tuple(31, 7, 66, 4, 9, false));
    EXPECT_EQ(o.folders[1], RAVELIN_SOURCE_DIR);
}

// The first failure in the order N, M, T, S1, S2, 1st folder, 2nd folder is the one named.
TEST(ScanOptions, TheFirstWrongSettingIsNamed) {
    struct Row {
        std::vector<std::pair<SettingId, std::string>> wrong;
        SettingId field;
        std::string message;
    };
    const Row rows[] = {
        {{{SettingId::MatchThreshold, "49"}, {SettingId::NumWordsToCompare, "101"}},
         SettingId::NumWordsToCompare,
         "Number of words in test segment\r\n must not be greater than 100."},
        {{{SettingId::NumWordsToSkip2, "501"}, {SettingId::NumWordsToDisplay, "4"}},
         SettingId::NumWordsToDisplay,
         "Number of words to display\r\n must not be less than 5."},
        {{{SettingId::NumWordsToSkip2, "-1"}, {SettingId::Folder1, " "}},
         SettingId::NumWordsToSkip2,
         "Number of words to skip in the 2nd folder\r\n must not be less than 0."},
        {{{SettingId::Folder1, " "}, {SettingId::Folder2, ""}},
         SettingId::Folder1,
         "Please specify the 1st folder."},
        {{{SettingId::Folder2, "/no/such/folder"}},
         SettingId::Folder2,
         "The folder '/no/such/folder' does not exist."},
    };
    for (const Row& row : rows) {
        SettingTexts texts = Texts(RAVELIN_SOURCE_DIR);
        for (const auto& [id, text] : row.wrong) {
            texts[static_cast<size_t>(id)] = text;
        }
        const auto options = ReadScanOptions(texts, testing::MapTextCatalog(testing::ScanTexts()));
        ASSERT_FALSE(options.ok()) << row.message;
        EXPECT_EQ(options.error().field, row.field) << row.message;
        EXPECT_EQ(options.error().message.text, row.message);
    }
}

}  // namespace
}  // namespace ravelin
