#include "engine/TextReduction.h"

#include "files/StringRoutines.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace ravelin {
namespace {

constexpr bool kIsLetter(unsigned char c) {
    const bool upper = (c >= 'A' && c <= 'Z') || c == 0x8A || c == 0x8C || c == 0x9F ||
                       (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xDE);
    const bool lower =
        (c >= 'a' && c <= 'z') || c == 0x9A || c == 0x9C || (c >= 0xDF && c <= 0xF6) || (c >= 0xF8);
    return upper || lower;
}

using ByteTable = std::array<unsigned char, 256>;

constexpr ByteTable MakeTable(bool lowerCase, bool includeDigits) {
    ByteTable table{};
    for (int i = 0; i < 256; ++i) {
        auto c = static_cast<unsigned char>(i);
        if (lowerCase) {
            c = static_cast<unsigned char>(Cp1252LowerCase(static_cast<char>(c)));
        }
        const bool keep = kIsLetter(c) || (includeDigits && c >= '0' && c <= '9');
        table[static_cast<size_t>(i)] = keep ? c : ' ';
    }
    return table;
}

constexpr ByteTable kLettersOnly = MakeTable(false, false);
constexpr ByteTable kLettersAndDigits = MakeTable(false, true);
// Lower-casing and KeepWordCharacters fused into one pass; the composition is exact because
// lower-casing maps every byte to a single byte.
constexpr ByteTable kLowerWordCharacters = MakeTable(true, true);

void Translate(std::string& text, const ByteTable& table) {
    for (char& c : text) {
        c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    }
}

struct Replacement {
    unsigned char third;
    std::string_view text;
};

// Listed in the order in which they are replaced.
constexpr std::array<Replacement, 20> kPunctuation = {{
    {144, "-"},    {145, "-"},  {146, "-"},   {147, "-"},   {148, " -- "}, {149, "--"}, {150, "|"},
    {151, "\x89"}, {152, "'"},  {153, "'"},   {154, "'"},   {155, "'"},    {156, "\""}, {157, "\""},
    {158, "\""},   {159, "\""}, {162, " . "}, {166, "..."}, {185, "<"},    {186, ">"},
}};

const Replacement* FindPunctuation(unsigned char third) {
    for (const Replacement& r : kPunctuation) {
        if (r.third == third) {
            return &r;
        }
    }
    return nullptr;
}

size_t FindPunctuationLead(std::string_view text, size_t from) {
    while (from + 1 < text.size()) {
        const void* found = std::memchr(text.data() + from, 0xE2, text.size() - from - 1);
        if (found == nullptr) {
            return std::string_view::npos;
        }
        const auto at = static_cast<size_t>(static_cast<const char*>(found) - text.data());
        if (static_cast<unsigned char>(text[at + 1]) == 0x80) {
            return at;
        }
        from = at + 1;
    }
    return std::string_view::npos;
}

constexpr unsigned char kEmDash = 148;

// Replacing the listed sequences one after another gives the same text as a single pass: no
// replacement contains 0xE2 or 0x80, and none starts with a listed third byte, so no pass can
// create or break a sequence that another pass would see. For the same reason the replacements
// may be made in any order: first every one that does not lengthen the text, in place from the
// left, then the em dashes, the only ones that do, in place from the right.
void ReplaceShorteningPunctuation(std::string& text, size_t first, size_t& emDashes) {
    size_t write = first;
    size_t read = first;
    while (read < text.size()) {
        const size_t lead = FindPunctuationLead(text, read);
        const size_t runEnd =
            lead == std::string_view::npos || lead + 2 >= text.size() ? text.size() : lead;
        if (write != read) {
            std::memmove(text.data() + write, text.data() + read, runEnd - read);
        }
        write += runEnd - read;
        read = runEnd;
        if (read == text.size()) {
            break;
        }
        const auto third = static_cast<unsigned char>(text[lead + 2]);
        const Replacement* r = FindPunctuation(third);
        if (r == nullptr || third == kEmDash) {
            const size_t kept = r == nullptr ? 1 : 3;
            std::memmove(text.data() + write, text.data() + lead, kept);
            write += kept;
            read = lead + kept;
            emDashes += r == nullptr ? 0 : 1;
        } else {
            text.replace(write, r->text.size(), r->text);
            write += r->text.size();
            read = lead + 3;
        }
    }
    text.resize(write);
}

void ReplaceEmDashes(std::string& text, size_t emDashes) {
    size_t read = text.size();
    text.resize(text.size() + emDashes);
    size_t write = text.size();
    constexpr std::string_view kReplacement = " -- ";
    while (read > 0 && write > read) {
        if (read >= 3 && static_cast<unsigned char>(text[read - 1]) == kEmDash &&
            static_cast<unsigned char>(text[read - 2]) == 0x80 &&
            static_cast<unsigned char>(text[read - 3]) == 0xE2) {
            write -= kReplacement.size();
            text.replace(write, kReplacement.size(), kReplacement);
            read -= 3;
        } else {
            text[--write] = text[--read];
        }
    }
}

bool IsWordSpace(char c) {
    return c == ' ';
}

}  // namespace

bool IsWordCharacter(unsigned char c, bool includeDigits) {
    return (includeDigits ? kLettersAndDigits : kLettersOnly)[c] != ' ';
}

std::string DecodeUtf8Punctuation(std::string text) {
    const size_t p = FindPunctuationLead(text, 0);
    if (p == std::string_view::npos || p + 2 >= text.size()) {
        return text;
    }
    if (FindPunctuation(static_cast<unsigned char>(text[p + 2])) != nullptr) {
        size_t emDashes = 0;
        ReplaceShorteningPunctuation(text, p, emDashes);
        if (emDashes > 0) {
            ReplaceEmDashes(text, emDashes);
        }
        return text;
    }
    text.erase(p, 3);
    return text;
}

void LowerCaseLetters(std::string& text) {
    for (char& c : text) {
        c = Cp1252LowerCase(c);
    }
}

std::string KeepWordCharacters(std::string text, bool includeDigits) {
    Translate(text, includeDigits ? kLettersAndDigits : kLettersOnly);
    return text;
}

void NormaliseText(std::string& text) {
    text = DecodeUtf8Latin1(std::move(text));
    text = DecodeUtf8Punctuation(std::move(text));
    Translate(text, kLowerWordCharacters);
}

int32_t SplitIntoWords(std::string_view text, std::string_view separator, int32_t startPosition,
                       std::vector<std::string>& words, bool trimPieces, int32_t maxCount,
                       int32_t minLength) {
    const size_t start = startPosition > 1 ? static_cast<size_t>(startPosition - 1) : 0;
    std::string_view s = start < text.size() ? text.substr(start) : std::string_view();
    if (s.empty()) {
        return 0;
    }
    // An empty separator would never advance; the whole text is then one piece.
    const size_t d = separator.size();
    if (d > 0 && s.substr(0, d) == separator) {
        s.remove_prefix(d);
    }
    const bool singleSpace = separator == " ";
    int32_t count = 0;
    // The text is taken to end with a separator, as if one had been appended.
    while (!s.empty()) {
        const size_t p = d == 0 ? std::string_view::npos : s.find(separator);
        std::string_view piece = s.substr(0, p);
        if (trimPieces) {
            piece = TrimSpaces(piece);
        }
        if (static_cast<int64_t>(piece.size()) >= minLength) {
            if (count == 0) {
                words.clear();
            }
            words.emplace_back(piece);
            ++count;
            if (maxCount > 0 && count == maxCount) {
                break;
            }
        }
        s = p == std::string_view::npos ? std::string_view() : s.substr(p + d);
        while (singleSpace && !s.empty() && IsWordSpace(s.front())) {
            s.remove_prefix(1);
        }
    }
    return count;
}

std::string FirstWords(std::string_view text, int32_t n) {
    text = TrimSpaces(text);
    if (text.empty()) {
        return "";
    }
    std::string result;
    int32_t i = 0;
    for (;;) {
        const size_t p = text.find(' ');
        result.append(text.substr(0, p));
        result.push_back(' ');
        ++i;
        if (i == n || p == std::string_view::npos) {
            break;
        }
        text.remove_prefix(p + 1);
    }
    while (!result.empty() && result.back() == ' ') {
        result.pop_back();
    }
    return result;
}

int32_t ReduceToWords(std::string& text, int32_t maxWords, std::vector<std::string>& words) {
    NormaliseText(text);
    return SplitIntoWords(text, " ", 1, words, true, maxWords, 4);
}

// Why the words before the cut are final: every step but two rewrites bytes in place or removes
// them, never across a space, and a space is never rewritten. The two are the Latin-1 repair,
// whose searches in the rest could still reach a pair left before the cut (checked), and the
// punctuation repair, which the first sequence decides: before the cut it is the same one, after
// it it changes nothing before it, unless the space itself is that sequence's third byte.
bool ReducePrefixToWords(std::string& text, int32_t maxWords, std::vector<std::string>& words) {
    // The last byte may be a space that a line end of the rest takes back.
    const size_t cut = text.size() < 2 ? std::string::npos : text.rfind(' ', text.size() - 2);
    if (cut == std::string::npos) {
        return false;
    }
    text.resize(cut + 1);
    if (!DecodeUtf8Latin1Prefix(text) || text.ends_with("\xE2\x80 ")) {
        return false;
    }
    text = DecodeUtf8Punctuation(std::move(text));
    Translate(text, kLowerWordCharacters);
    return maxWords > 0 && SplitIntoWords(text, " ", 1, words, true, maxWords, 4) == maxWords;
}

// Before the first byte above 127 there is no lead of a UTF-8 repair, so every step but the
// byte table leaves those bytes alone, and none reaches across the byte that ends the beginning.
size_t TakeSettledWords(std::string_view text, int32_t maxWords, std::vector<std::string>& words) {
    if (text.size() < 2) {
        return 0;
    }
    const std::string_view open = text.substr(0, text.size() - 1);
    const auto high = std::find_if(open.begin(), open.end(),
                                   [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    auto length = static_cast<size_t>(high - open.begin());
    while (length > 0 &&
           kLowerWordCharacters[static_cast<unsigned char>(text[length - 1])] != ' ') {
        --length;
    }
    std::string word;
    for (size_t i = 0; i < length && static_cast<int64_t>(words.size()) < maxWords; ++i) {
        const char c = static_cast<char>(kLowerWordCharacters[static_cast<unsigned char>(text[i])]);
        if (c != ' ') {
            word.push_back(c);
            continue;
        }
        if (word.size() >= 4) {
            words.push_back(word);
        }
        word.clear();
    }
    return length;
}

}  // namespace ravelin
