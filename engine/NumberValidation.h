#pragma once

// Reading the numeric settings that the user types into plain text boxes. The checks run before
// a scan; the window shows the message, the engine only builds it.

#include <cstdint>
#include <string>
#include <string_view>

namespace ravelin {

struct ValidationResult {
    int32_t value = 0;
    bool invalid = false;
    std::string message;
    // True when the caller must show `message` in a box titled "Invalid input" with the
    // information icon.
    bool showMessage = false;
};

// Reads a 16-bit whole number from the text, keeping only a leading sign and the digits, and
// checks it against the inclusive bounds. An out-of-range value is still returned (saturated to
// the 16-bit range); an empty text, or one without digits, gives 0. The messages name the field
// when `fieldName` is not empty.
ValidationResult ValidateNumberField(std::string_view text, int32_t min, int32_t max,
                                     bool showMessage, std::string_view fieldName);

// The text reduced to its digits, after a "-" or "+" in the very first place when that sign is
// allowed; signs anywhere else are dropped.
std::string KeepSignedDigits(std::string_view text, bool allowMinus, bool allowPlus);

}  // namespace ravelin
