#include "engine/LiteralReduction.h"
#include "engine/TextReduction.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace ravelin {
namespace {

std::vector<std::string> Words(std::string text, int32_t maxWords = 0) {
    std::vector<std::string> words;
    const int32_t count = ReduceToWords(text, maxWords, words);
    words.resize(static_cast<size_t>(count));
    return words;
}

TEST(TextReduction, ExamplesReduceToTheirWords) {
    struct Row {
        std::string text;
        std::vector<std::string> words;
    };
    const std::vector<Row> rows = {
        {"The cat sat on the mat", {}},
        {"E-mail, 2015: \xC7"
         "a va?",
         {"mail", "2015"}},
        {"caf\xC3\xA9 au lait", {"caf\xE9", "lait"}},
        {"don\xE2\x80\x99t", {}},
        {"NOT\xC3O", {"not\xE3o"}},  // a lone 0xC3 before plain O is no sequence
        {"\xEF\xBB\xBF"
         "Hello world",
         {"hello", "world"}},  // the BOM's 0xEF is cut off by a space
        {"STRA\xDF"
         "E \xD7 \x8E\x8E"
         "aaa",
         {"stra\xDF"
          "e"}},
        {"line one\nline two", {"line", "line"}},
        {"\xC3\x89T\xC3\x89S ANN\xC3\x89"
         "E",
         {"\xE9t\xE9s",
          "ann\xE9"
          "e"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Words(row.text), row.words) << row.text;
    }
}

TEST(TextReduction, Utf16TextYieldsNoWords) {
    std::string text;
    for (const char c : std::string("Hello wonderful world")) {
        text += c;
        text += '\0';
    }
    EXPECT_TRUE(Words(text).empty());
}

TEST(TextReduction, KeepWordCharactersKeepsTheLengthAndOnlyLettersAndDigits) {
    std::string all;
    for (int i = 0; i < 256; ++i) {
        all += static_cast<char>(i);
    }
    const std::string kept = KeepWordCharacters(all, true);
    ASSERT_EQ(kept.size(), all.size());
    for (int i = 0; i < 256; ++i) {
        const auto c = static_cast<unsigned char>(i);
        const bool digit = c >= '0' && c <= '9';
        const bool excluded = c == 0x8E || c == 0x9E || c == 0xD7 || c == 0xF7;
        const bool letter =
            !excluded && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0x8A ||
                          c == 0x8C || c == 0x9F || c == 0x9A || c == 0x9C || c >= 0xC0);
        EXPECT_EQ(kept[i] != ' ' || c == ' ', letter || digit || c == ' ') << i;
    }
    EXPECT_EQ(KeepWordCharacters("a1b2", false), "a b ");
}

TEST(TextReduction, Latin1RepairQuirks) {
    struct Row {
        std::string in;
        std::string out;
    };
    const std::vector<Row> rows = {
        {"\xC2\x85\xC2\xA9", "\xC2\xA9"},  // the pair moved onto the removed one stays
        {"a\xC2\xA0"
         "b\xC2\xA0",
         "a\xA0"
         "b\xA0"},                             // every pair of the value at once
        {"\xC3\xA9\xC3\x28", "\xE9\xC3\x28"},  // 0xC3 before '(' changes nothing
        {"\xC4\x8D\xC4\x8D", "cc"},
        {"ends with \xC2", "ends with \xC2"},
        // The pair skipped after a removal is rewritten by the later search for 0xA9, which
        // deletes one byte in front of it and so moves the next search one further right.
        {"\xC2\x85\xC2\xA9x\xC2\xA9\xC2\xA0y", "\xA9x\xA9\xC2\xA0y"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DecodeUtf8Latin1(row.in), row.out);
        EXPECT_EQ(literal::DecodeUtf8Latin1(row.in), row.out);
    }
}

TEST(TextReduction, PunctuationFirstSequenceDecides) {
    struct Row {
        std::string in;
        std::string out;
    };
    const std::vector<Row> rows = {
        {"a\xE2\x80\xA0"
         "b\xE2\x80\x94"
         "c",
         "ab\xE2\x80\x94"
         "c"},
        {"a\xE2\x80\x94"
         "b\xE2\x80\xA0"
         "c",
         "a -- b\xE2\x80\xA0"
         "c"},
        {"ends \xE2\x80", "ends \xE2\x80"},
        {"\xE2\x80\x9Cq\xE2\x80\x9D \xE2\x80\xA6 \xE2\x80\xA2", "\"q\" ...  . "},
        {"\xE2\x80\xE2\x80\x94", "\x80\x94"},  // the first pair's third byte is 0xE2: unlisted
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DecodeUtf8Punctuation(row.in), row.out);
        EXPECT_EQ(literal::DecodeUtf8Punctuation(row.in), row.out);
    }
}

// Random texts over the bytes that matter, so that removals, moved pairs, skipped leads and
// pairs that only form after a rewrite all occur many times.
TEST(TextReduction, RepairsMatchTheLiteralRulesOnRandomTexts) {
    const std::string alphabets[] = {
        "\xC2\xC3\x85\xA9\x83\xA0\x9F"
        "a",  // valid-looking sequences
        "\xC2\xC2\xC2\x85\x85\xA9\xA0"
        "ab",  // leads before leads
        "\xC3\xC3\x83\x83\xA9\x80\xBF"
        "a",  // 0xC3 0x83 makes new leads
        "\xC2\xC3\xC4\x8D\x85\x9F\xA0\xA9\x83\x80\xBF\xE2\x80\x94\x99\x89"
        "a ",
    };
    std::mt19937 random(20261206);
    for (const std::string& alphabet : alphabets) {
        std::uniform_int_distribution<size_t> length(0, 40);
        std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
        for (int round = 0; round < 20000; ++round) {
            std::string text;
            for (size_t i = length(random); i > 0; --i) {
                text += alphabet[pick(random)];
            }
            ASSERT_EQ(DecodeUtf8Latin1(text), literal::DecodeUtf8Latin1(text)) << round;
            ASSERT_EQ(DecodeUtf8Punctuation(text), literal::DecodeUtf8Punctuation(text)) << round;
        }
    }
}

// A reader stops early when the words of a beginning cannot change: cut random texts full of
// repair triggers anywhere, and whenever the beginning is accepted its words must be the whole
// text's first words.
TEST(TextReduction, AnAcceptedBeginningGivesTheWholeTextsFirstWords) {
    const std::vector<std::string> pieces = {
        "word",         "abcd",         "ef",       " ",         " ",           "\r",
        "\xC2\x85",     "\xC2\xA9",     "\xC2",     "\xC2\xC2",  "\xC3\xA9",    "\xC3\x83",
        "\xC3",         "\x83",         "\xA9",     "\x85",      "\xA2\x80",    "\xC4\x8D",
        "\xE2\x80\x94", "\xE2\x80\x99", "\xE2\x80", "\xE2\x80 ", "\xE2\x80\xA2"};
    std::mt19937 random(20261207);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    int accepted = 0;
    int refused = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int i = 0; i < 60; ++i) {
            text += pieces[pick(random)];
        }
        const auto wordsNeeded = static_cast<int32_t>(1 + round % 6);
        std::string whole = text;
        std::vector<std::string> expected;
        ReduceToWords(whole, wordsNeeded, expected);
        std::string prefix =
            text.substr(0, std::uniform_int_distribution<size_t>(0, text.size())(random));
        std::vector<std::string> words;
        if (!ReducePrefixToWords(prefix, wordsNeeded, words)) {
            ++refused;
            continue;
        }
        ++accepted;
        ASSERT_EQ(words, expected) << round;
    }
    EXPECT_GT(accepted, 2000);
    EXPECT_GT(refused, 2000);
}

TEST(TextReduction, SplitIntoWordsFollowsItsArguments) {
    std::vector<std::string> words = {"stale"};
    EXPECT_EQ(SplitIntoWords("  ab  abcd efghi", " ", 1, words, true, 0, 4), 2);
    EXPECT_EQ(words, (std::vector<std::string>{"abcd", "efghi"}));

    words = {"stale"};
    EXPECT_EQ(SplitIntoWords("ab cd", " ", 1, words, true, 0, 4), 0);
    EXPECT_EQ(words, std::vector<std::string>{"stale"});  // nothing stored: left as it was

    EXPECT_EQ(SplitIntoWords("aaaa bbbb cccc", " ", 1, words, true, 2, 4), 2);
    EXPECT_EQ(words, (std::vector<std::string>{"aaaa", "bbbb"}));

    EXPECT_EQ(SplitIntoWords("xxaaaa bbbb", " ", 3, words, true, 0, 4), 2);
    EXPECT_EQ(words.front(), "aaaa");

    EXPECT_EQ(SplitIntoWords(",one , two,,three", ",", 1, words, true, 0, 0), 4);
    EXPECT_EQ(words, (std::vector<std::string>{"one", "two", "", "three"}));

    EXPECT_EQ(SplitIntoWords("whole text", "", 1, words, false, 0, 1), 1);
    EXPECT_EQ(words, std::vector<std::string>{"whole text"});
}

TEST(TextReduction, FirstWordsTakesLeadingWords) {
    struct Row {
        std::string text;
        int32_t n;
        std::string out;
    };
    const std::vector<Row> rows = {
        {"alpha beta gamma ", 2, "alpha beta"},
        {"alpha beta gamma ", 5, "alpha beta gamma"},
        {"alpha beta gamma ", 0, "alpha beta gamma"},
        {"   ", 3, ""},
        {"  one  two ", 2, "one"},  // a double space holds an empty word, which counts
        {"one  two three", 3, "one  two"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FirstWords(row.text, row.n), row.out) << row.text << " " << row.n;
    }
}

}  // namespace
}  // namespace ravelin
