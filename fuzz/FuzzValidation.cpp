// Number validation of any text against any bounds: it never fails to answer, and a valid
// answer lies within the bounds and the 16-bit range.

#include "FuzzCheck.h"
#include "engine/NumberValidation.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using ravelin::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    const auto a = static_cast<int16_t>(data[0] | (data[1] << 8));
    const auto b = static_cast<int16_t>(data[2] | (data[3] << 8));
    const int32_t min = a < b ? a : b;
    const int32_t max = a < b ? b : a;
    const std::string text(reinterpret_cast<const char*>(data + 4), size - 4);
    const bool named = size % 2 == 0;
    const ravelin::ValidationResult result =
        ravelin::ValidateNumberField(text, min, max, true, named ? "Field" : "");
    Check(result.value >= -32768 && result.value <= 32767);
    if (!result.invalid) {
        Check(result.value >= min && result.value <= max);
        Check(!result.showMessage);
    } else {
        Check(!result.message.empty() && result.showMessage);
    }
    const std::string kept = ravelin::KeepSignedDigits(text, true, true);
    Check(kept.find_first_not_of("0123456789",
                                 kept.empty() || kept[0] == '-' || kept[0] == '+' ? 1 : 0) ==
          std::string::npos);
    return 0;
}
