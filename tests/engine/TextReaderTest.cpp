#include "TempFolder.h"
#include "engine/FileWords.h"
#include "engine/TextReader.h"
#include "engine/TextReduction.h"

#include <gtest/gtest.h>

#include <random>

namespace ravelin {
namespace {

using testing::TempFolder;

TEST(TextReader, LinesEndAtCarriageReturnsAndJoinWithSpaces) {
    struct Row {
        std::string bytes;
        std::string text;
        int32_t lines;
    };
    const Row rows[] = {
        {"", "", 0},
        {"one", "one", 1},
        {"one\r\ntwo\r\n", "one two", 2},
        {"one\rtwo", "one two", 2},
        {"one\ntwo\n", "one\ntwo\n", 1},    // a lone line feed stays in the line
        {"one\r\n\r\ntwo", "one  two", 3},  // an empty line adds a space
        {"\r\n\r\none", "one", 3},          // ...but not before the first text
        {"one\r\r\n", "one ", 2},
        {"one\r\n\ntwo", "one \ntwo", 2},  // only one line feed belongs to the line end
    };
    const TempFolder folder;
    for (const Row& row : rows) {
        const std::string path = folder.Write("f.txt", row.bytes);
        const ReaderResult byLines = ReadTextByLines(path, 0);
        EXPECT_EQ(byLines.text, row.text);
        EXPECT_EQ(byLines.count, row.lines);
        EXPECT_FALSE(byLines.error);
        const ReaderResult byChars = ReadTextByChars(path, 0);
        EXPECT_EQ(byChars.text, row.text);
    }
}

TEST(TextReader, BudgetsAreTestedAfterWholeLines) {
    const TempFolder folder;
    const std::string path = folder.Write("f.txt", "abcde\r\nfghij\r\n\r\nklmno\r\npq");
    struct Row {
        int32_t budget;
        std::string byChars;
        int32_t chars;
    };
    const Row rows[] = {
        {1, "abcde", 5},
        {5, "abcde", 5},
        {6, "abcde fghij", 10},
        {11, "abcde fghij  klmno", 15},
        {100, "abcde fghij  klmno pq", 17},
    };
    for (const Row& row : rows) {
        const ReaderResult chars = ReadTextByChars(path, row.budget);
        EXPECT_EQ(chars.text, row.byChars) << row.budget;
        EXPECT_EQ(chars.count, row.chars) << row.budget;
    }
    EXPECT_EQ(ReadTextByLines(path, 1).text, "abcde");
    EXPECT_EQ(ReadTextByLines(path, 3).text, "abcde fghij ");
    EXPECT_EQ(ReadTextByLines(path, 3).count, 3);
    EXPECT_EQ(ReadTextByLines(path, 9).count, 5);
}

TEST(TextReader, ALineEndAtTheEndOfARead) {
    // The first read takes 64 KiB; the carriage return is its last byte.
    const std::string first(65535, 'x');
    struct Row {
        std::string tail;
        std::string text;
        int32_t lines;
    };
    const Row rows[] = {
        {"", first, 1},
        {"\n", first, 1},
        {"\nabc", first + " abc", 2},
        {"\rabc", first + "  abc", 3},
        {"abc", first + " abc", 2},
        {"\r", first + " ", 2},
    };
    const TempFolder folder;
    for (const Row& row : rows) {
        const std::string path = folder.Write("f.txt", first + "\r" + row.tail);
        const ReaderResult result = ReadTextByLines(path, 0);
        EXPECT_EQ(result.text, row.text) << row.tail.size();
        EXPECT_EQ(result.count, row.lines) << row.tail.size();
    }
}

// The scan reads a few kilobytes and stops when their words are final. Files whose needed words
// and repair triggers sit around the end of that first read must give the words a whole read
// gives, with either budget.
TEST(FileWords, ReadingPartOfAFileGivesTheWordsOfTheWholeRead) {
    const std::vector<std::string> pieces = {
        "word ", "abcd",     "efgh ",    "  ",           "\r",       "\r\n",
        "\n",    "\xC2\x85", "\xC2",     "\xC3\xA9",     "\xC3\x83", "\xC3",
        "\xA9",  "\x85",     "\xA2\x80", "\xE2\x80\x94", "\xE2\x80", "\xE2\x80 "};
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<size_t> fillerLength(3950, 4150);
    const TempFolder folder;
    std::vector<std::string> words;
    std::vector<std::string> expected;
    for (int round = 0; round < 600; ++round) {
        std::string bytes;
        while (bytes.size() < fillerLength(random)) {
            bytes += "ab ";  // too short to be a word
        }
        for (int i = 0; i < 120; ++i) {
            bytes += pieces[pick(random)];
        }
        bytes += std::string(5000, 'x');
        const std::string path = folder.Write("f.txt", bytes);
        const auto needed = static_cast<int32_t>(2 + round % 7);
        ReaderResult whole = ReadTextByChars(path, kCharsPerNeededWord * needed);
        int32_t count = ReduceToWords(whole.text, needed, expected);
        ASSERT_EQ(ReadFirstFolderWords(path, needed, words).count, count) << round;
        ASSERT_TRUE(std::equal(expected.begin(), expected.begin() + count, words.begin()));
        whole = ReadTextByLines(path, needed);
        count = ReduceToWords(whole.text, needed, expected);
        ASSERT_EQ(ReadSecondFolderWords(path, needed, words).count, count) << round;
        ASSERT_TRUE(std::equal(expected.begin(), expected.begin() + count, words.begin()));
    }
}

// Files past the megabyte after which the text that can no longer change is dropped while it is
// read: runs without words (zeros, short pieces, line ends) around words and repair pieces.
TEST(FileWords, TextDroppedAsItIsReadGivesTheWordsOfTheWholeRead) {
    const std::vector<std::string> pieces = {
        "word ",    "abcdefgh ", "Zz9y ", "\r",   "\r\n",         "\xC2\x85", "\xC3\xA9",
        "\xC3\x83", "\xC3",      "\xA9",  "\x85", "\xE2\x80\x94", "\xE2\x80", "caf\xC3\xA9 "};
    const std::string fillers[] = {std::string(1, '\0'), "ab ", "\r\0\0", "-- "};
    std::mt19937 random(11);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<size_t> runLength(1, 900000);
    const TempFolder folder;
    std::vector<std::string> words;
    std::vector<std::string> expected;
    for (int round = 0; round < 24; ++round) {
        std::string bytes;
        const std::string& filler = fillers[round % 4];
        for (int run = 0; run < 4; ++run) {
            const size_t end = bytes.size() + runLength(random);
            while (bytes.size() < end) {
                bytes += filler;
            }
            for (int i = 0; i < round % 5; ++i) {
                bytes += pieces[pick(random)];
            }
        }
        const std::string path = folder.Write("f.txt", bytes);
        const auto needed = static_cast<int32_t>(1 + round % 6);
        for (const bool byLines : {false, true}) {
            ReaderResult whole = byLines ? ReadTextByLines(path, needed)
                                         : ReadTextByChars(path, kCharsPerNeededWord * needed);
            const int32_t count = ReduceToWords(whole.text, needed, expected);
            const FileWords read = byLines ? ReadSecondFolderWords(path, needed, words)
                                           : ReadFirstFolderWords(path, needed, words);
            ASSERT_EQ(read.count, count) << round << byLines;
            ASSERT_TRUE(std::equal(expected.begin(), expected.begin() + count, words.begin()))
                << round << byLines;
        }
    }
}

}  // namespace
}  // namespace ravelin
