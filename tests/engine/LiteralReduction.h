#pragma once

// Straightforward transcriptions of the repair rules, step by step and quadratic, against which
// the linear implementations are checked on random texts.

#include <string>

namespace ravelin::literal {

// Replaces every occurrence of `from`, scanned from the left without overlaps, by `to`.
inline std::string ReplaceAll(const std::string& text, const std::string& from,
                              const std::string& to) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, from.size(), from) == 0) {
            out += to;
            i += from.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

inline std::string LeadPhase(std::string text, unsigned char lead) {
    size_t start = 1;  // 1-based, as the rules count
    for (;;) {
        const size_t length = text.size();
        const size_t found =
            start - 1 < length ? text.find(static_cast<char>(lead), start - 1) : std::string::npos;
        if (found == std::string::npos || found + 1 == length) {
            return text;
        }
        const size_t p = found + 1;
        const auto c = static_cast<unsigned char>(text[p]);
        const std::string pair{static_cast<char>(lead), static_cast<char>(c)};
        if (lead == 0xC2 && c >= 128 && c <= 159) {
            text = ReplaceAll(text, pair, "");
        } else if (lead == 0xC2 && c >= 160 && c <= 191) {
            text = ReplaceAll(text, pair, std::string(1, static_cast<char>(c)));
        } else if (lead == 0xC3 && c >= 128 && c <= 191) {
            text = ReplaceAll(text, pair, std::string(1, static_cast<char>(c + 64)));
        }
        start = p + 1;
    }
}

inline std::string DecodeUtf8Latin1(std::string text) {
    text = LeadPhase(std::move(text), 0xC2);
    text = LeadPhase(std::move(text), 0xC3);
    while (text.find("\xC4\x8D") != std::string::npos) {
        text = ReplaceAll(text, "\xC4\x8D", "c");
    }
    return text;
}

inline std::string DecodeUtf8Punctuation(std::string text) {
    const size_t p = text.find("\xE2\x80");
    if (p == std::string::npos || p + 2 >= text.size()) {
        return text;
    }
    struct Row {
        int third;
        const char* to;
    };
    static const Row rows[] = {{144, "-"},  {145, "-"},   {146, "-"},    {147, "-"},  {148, " -- "},
                               {149, "--"}, {150, "|"},   {151, "\x89"}, {152, "'"},  {153, "'"},
                               {154, "'"},  {155, "'"},   {156, "\""},   {157, "\""}, {158, "\""},
                               {159, "\""}, {162, " . "}, {166, "..."},  {185, "<"},  {186, ">"}};
    const auto c = static_cast<unsigned char>(text[p + 2]);
    for (const Row& row : rows) {
        if (row.third == c) {
            for (const Row& each : rows) {
                const std::string from{'\xE2', '\x80', static_cast<char>(each.third)};
                text = ReplaceAll(text, from, each.to);
            }
            return text;
        }
    }
    return text.erase(p, 3);
}

}  // namespace ravelin::literal
