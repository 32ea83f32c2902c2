#include "support/vantlib6/TextFileParser.h"

#include "files/TextEncoding.h"
#include "support/vantlib6/TextFileReader.h"
#include "support/vantlib6/vantlib6.h"

#include <algorithm>
#include <new>
#include <optional>

namespace vantlib6 {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutByteOrderMark(std::string_view content) {
    if (content.starts_with(kByteOrderMark)) {
        content.remove_prefix(kByteOrderMark.size());
    }
    return content;
}

// A NUL byte would cut the text short for callers that treat it as a C string.
bool IsText(std::string_view content) {
    return content.find('\0') == std::string_view::npos && ravelin::IsValidUtf8(content);
}

std::size_t LineCount(std::string_view content) {
    const auto breaks = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n'));
    return content.ends_with('\n') ? breaks : breaks + 1;
}

bool IsBlankOrComment(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

std::optional<int32_t> TextNumber(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    int32_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > kMaxTextNumber) {
            return std::nullopt;
        }
    }
    if (value == 0) {
        return std::nullopt;
    }
    return value;
}

// A backslash that starts no known escape stays as it is, so paths and the like need no doubling.
std::string WithEscapesDecoded(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char next = i + 1 < raw.size() ? raw[i + 1] : '\0';
        if (raw[i] != '\\' || (next != 'n' && next != 't' && next != '\\')) {
            out.push_back(raw[i]);
            continue;
        }
        out.append(next == 'n' ? "\r\n" : next == 't' ? "\t" : "\\");
        ++i;
    }
    return out;
}

int32_t ParseEntry(std::string_view line, int32_t lineNumber, TextMap& texts) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
        return VANTLIB6_MISSING_STRING_BASE - lineNumber;
    }
    const std::optional<int32_t> number = TextNumber(line.substr(0, tab));
    const std::string_view raw = line.substr(tab + 1);
    if (!number || raw.empty()) {
        return VANTLIB6_MISSING_STRING_BASE - lineNumber;
    }
    try {
        std::string text = ravelin::Utf8ToCp1252(WithEscapesDecoded(raw));
        if (text.size() > kMaxTextLength) {
            return VANTLIB6_TOO_LONG_BASE - lineNumber;
        }
        if (!texts.try_emplace(*number, std::move(text)).second) {
            return VANTLIB6_DUPLICATE_BASE - lineNumber;
        }
    } catch (const std::bad_alloc&) {
        return VANTLIB6_PARTICULAR_ALLOCATION;
    }
    return kStepOk;
}

int32_t ParseLine(std::string_view line, int32_t lineNumber, TextMap& texts) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return IsBlankOrComment(line) ? kStepOk : ParseEntry(line, lineNumber, texts);
}

}  // namespace

int32_t ParseTextFile(std::string_view content, TextMap& texts) {
    texts.clear();
    content = WithoutByteOrderMark(content);
    if (content.empty()) {
        return VANTLIB6_EMPTY_FILE;
    }
    if (!IsText(content)) {
        return VANTLIB6_TEXT_NOT_RECOVERED;
    }
    // Codes for a line can name lines up to this number only.
    if (LineCount(content) > VANTLIB6_MAX_LINES) {
        return VANTLIB6_TOO_MUCH_TEXT;
    }
    int32_t lineNumber = 0;
    while (!content.empty()) {
        const std::size_t end = std::min(content.find('\n'), content.size());
        const int32_t result = ParseLine(content.substr(0, end), ++lineNumber, texts);
        if (result != kStepOk) {
            return result;
        }
        content.remove_prefix(std::min(end + 1, content.size()));
    }
    return texts.empty() ? VANTLIB6_NO_TEXT : static_cast<int32_t>(texts.size());
}

}  // namespace vantlib6
