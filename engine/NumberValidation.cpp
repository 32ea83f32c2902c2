#include "engine/NumberValidation.h"

#include "files/StringRoutines.h"

#include <algorithm>

namespace ravelin {
namespace {

constexpr int32_t kSmallest = -32768;
constexpr int32_t kLargest = 32767;

// A signed run of digits, saturated to the 16-bit range; `below` and `above` tell that digits
// were lost to the saturation.
struct ParsedNumber {
    int32_t value = 0;
    bool hasDigits = false;
    bool below = false;
    bool above = false;
};

ParsedNumber ParseSigned16(std::string_view signedDigits) {
    ParsedNumber number;
    const bool negative = !signedDigits.empty() && signedDigits.front() == '-';
    if (!signedDigits.empty() && (signedDigits.front() == '-' || signedDigits.front() == '+')) {
        signedDigits.remove_prefix(1);
    }
    number.hasDigits = !signedDigits.empty();
    int32_t magnitude = 0;
    for (const char digit : signedDigits) {
        // Stopping just past the range keeps long runs of digits from overflowing.
        magnitude = std::min(magnitude * 10 + (digit - '0'), kLargest + 2);
    }
    const int32_t value = negative ? -magnitude : magnitude;
    number.below = value < kSmallest;
    number.above = value > kLargest;
    number.value = std::clamp(value, kSmallest, kLargest);
    return number;
}

std::string Named(std::string_view fieldName, std::string_view rest) {
    return std::string(fieldName) + "\r\n" + std::string(rest);
}

std::string RangeMessage(std::string_view fieldName, std::string_view relation, int32_t bound) {
    if (fieldName.empty()) {
        return "Textbox contains a value out of range.";
    }
    return Named(fieldName, std::string(relation) + std::to_string(bound) + ".");
}

ValidationResult CheckNumber(const ParsedNumber& number, int32_t min, int32_t max,
                             std::string_view fieldName) {
    ValidationResult result;
    result.value = number.value;
    if (!number.hasDigits) {
        result.invalid = true;
        result.message = fieldName.empty() ? "Textbox must contain a whole number."
                                           : Named(fieldName, " must be a whole number.");
    } else if (number.below || number.value < min) {
        result.invalid = true;
        result.message = RangeMessage(fieldName, " must not be less than ", min);
    } else if (number.above || number.value > max) {
        result.invalid = true;
        result.message = RangeMessage(fieldName, " must not be greater than ", max);
    }
    return result;
}

}  // namespace

ValidationResult ValidateNumberField(std::string_view text, int32_t min, int32_t max,
                                     bool showMessage, std::string_view fieldName) {
    ValidationResult result;
    const std::string_view trimmed = TrimSpaces(text);
    if (trimmed.empty()) {
        result.invalid = true;
        result.message = fieldName.empty() ? "Textbox must not be empty"
                                           : Named(fieldName, "must not be empty.");
    } else {
        result =
            CheckNumber(ParseSigned16(KeepSignedDigits(trimmed, true, true)), min, max, fieldName);
    }
    result.showMessage = showMessage && !result.message.empty();
    return result;
}

std::string KeepSignedDigits(std::string_view text, bool allowMinus, bool allowPlus) {
    std::string kept = KeepCharacters(text, "0123456789-+");
    if (kept.empty()) {
        return kept;
    }
    const char first = kept.front();
    const bool signKept = (first == '-' && allowMinus) || (first == '+' && allowPlus);
    const bool digitFirst = first >= '0' && first <= '9';
    std::string result = signKept || digitFirst ? std::string(1, first) : std::string();
    return result + KeepCharacters(std::string_view(kept).substr(1), "0123456789");
}

}  // namespace ravelin
