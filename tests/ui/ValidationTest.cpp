#include "engine/NumberValidation.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
        {"4 2", 0, 500, "", 42, ""},
        {"0000000042", 0, 500, "Skip", 42, ""},
        {"20", 20, 100, "N", 20, ""},
        {"100", 20, 100, "N", 100, ""},
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
        {"-32768", -32768, 0, "N", -32768, ""},
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

TEST(Validation, MessageIsShownOnlyWhenAsked) {
    const ValidationResult quiet = ValidateNumberField("900", 0, 500, false, "Skip");
    EXPECT_TRUE(quiet.invalid);
    EXPECT_FALSE(quiet.message.empty());
    EXPECT_FALSE(quiet.showMessage);
}

}  // namespace
}  // namespace ravelin
