#include "support/ProgramText.h"

#include "files/Utf8Path.h"
#include "support/vantlib6/vantlib6.h"

#include <algorithm>
#include <array>

namespace ravelin {
namespace {

constexpr int32_t kTextBufferSize = 1024;
constexpr int32_t kSelector = 0;
constexpr int32_t kLoadFlags = 0;

// Line numbers are computed in 64 bits: -INT32_MIN does not fit in 32.
std::string LineMessage(const char* lead, int32_t result, int32_t base) {
    const int64_t line = -static_cast<int64_t>(result) + base;
    return std::string(lead) + " " + std::to_string(line) + ".";
}

const char* FixedMessage(int32_t result) {
    switch (result) {
        case VANTLIB6_NO_TEXT:
            return "No program text was read.";
        case VANTLIB6_PARTICULAR_ALLOCATION:
            return "Particular memory allocation error.";
        case VANTLIB6_TOO_MUCH_TEXT:
            return "Too much program text.";
        case VANTLIB6_TEXT_NOT_RECOVERED:
            return "Text not recovered.";
        case VANTLIB6_EMPTY_FILE:
            return "File is empty.";
        case VANTLIB6_READ_ERROR:
            return "Error reading file.";
        case VANTLIB6_GENERAL_ALLOCATION:
            return "General memory allocation error.";
        default:
            return nullptr;
    }
}

}  // namespace

std::string ProgramTextPath(const std::string& programFolder, const std::string& fileName) {
#ifdef _WIN32
    constexpr char kSeparator = '\\';
    const bool endsWithSeparator = programFolder.ends_with('\\') || programFolder.ends_with('/');
#else
    constexpr char kSeparator = '/';
    const bool endsWithSeparator = programFolder.ends_with('/');
#endif
    return endsWithSeparator ? programFolder + fileName : programFolder + kSeparator + fileName;
}

ProgramTextLoad LoadProgramText(const std::string& fileName, const std::string& programFolder) {
    const std::string fullPath = ProgramTextPath(programFolder, fileName);
    // The library takes its path as narrow system calls do: in the ANSI code page on Windows.
    const int32_t result = lt(NarrowPathFromUtf8(fullPath).c_str(), kLoadFlags);
    return {result >= 1, LoadProgramTextMessage(result, fullPath)};
}

std::string LoadProgramTextMessage(int32_t result, const std::string& fullPath) {
    if (result >= 1) {
        return {};
    }
    if (result == VANTLIB6_CANNOT_OPEN) {
        return "Cannot open file containing program text.\r\n" + fullPath;
    }
    if (const char* fixed = FixedMessage(result)) {
        return fixed;
    }
    if (result >= VANTLIB6_MISSING_STRING_BASE) {
        return "Error " + std::to_string(result);
    }
    if (result >= VANTLIB6_TOO_LONG_BASE) {
        return LineMessage("Missing string at line", result, VANTLIB6_MISSING_STRING_BASE);
    }
    if (result >= VANTLIB6_DUPLICATE_BASE) {
        return LineMessage("String too long at line", result, VANTLIB6_TOO_LONG_BASE);
    }
    return LineMessage("Duplicate in program text at line", result, VANTLIB6_DUPLICATE_BASE);
}

std::string ProgramText(int32_t n) {
    std::array<char, kTextBufferSize> buffer{};
    const int32_t count = gt(n, kSelector, buffer.data(), kTextBufferSize, VANTLIB6_COPY_RAW);
    if (count <= 0) {
        return {};
    }
    // Never trust the library to keep within the buffer it was given.
    std::string text(buffer.data(), static_cast<std::size_t>(std::min(count, kTextBufferSize)));
    return text == "~" ? std::string() : text;
}

}  // namespace ravelin
