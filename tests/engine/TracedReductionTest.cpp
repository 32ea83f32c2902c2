#include "engine/TextReader.h"
#include "engine/TextReduction.h"
#include "engine/TracedReduction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace ravelin {
namespace {

// The words of a whole file as a scan's reader and reduction give them.
std::vector<std::string> ReaderWords(const std::string& stored) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("ravelin-traced-" + std::to_string(::getpid()));
    {
        std::ofstream out(path, std::ios::binary);
        out << stored;
    }
    ReaderResult read = ReadTextByChars(path.string(), 0);
    std::filesystem::remove(path);
    std::vector<std::string> words;
    const int32_t count = ReduceToWords(read.text, 0, words);
    words.resize(static_cast<size_t>(count));
    return words;
}

// Pieces that exercise every repair, line end and joining rule, and plain letters.
const std::vector<std::string> kTrickyPieces = {
    "word",
    "Alpha",
    "beta",
    " ",
    "  ",
    "\r\n",
    "\r",
    "\n",
    "\xC2",
    "\xC3",
    "\xC4",
    "\xE2",
    "\x80",
    "\x83",
    "\x85",
    "\x8D",
    "\xA9",
    "\xA2",
    "\x94",
    "\xC3\xA9",
    "\xC2\xA0",
    "\xC2\x85",
    "\xC3\x83",
    "\xC4\x8D",
    "\xE2\x80",
    "\xE2\x80\x99",
    "\xE2\x80\x94",
    "\xE2\x80\xA0",
    "\xE2\x80\xA6",
    "caf",
    "x",
    "-",
    "\xD7",
    "\xDF",
};

std::string RandomText(std::mt19937& random, const std::vector<std::string>& pieces, int count) {
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += pieces[pick(random)];
    }
    return text;
}

// The same without any byte that starts a repair: such a text is split as it is stored.
const std::vector<std::string> kPlainPieces = {
    "word", "Alpha", " ",    "\r\n", "\r", "\n", "\x80",
    "\xA9", "\xE9s", "\xD7", "\xDF", "x",  "-",  "9",
};

TEST(TracedReduction, GivesTheReadersWordsOnTrickyTexts) {
    std::mt19937 random(19);
    for (int round = 0; round < 4000; ++round) {
        const std::vector<std::string>& pieces = round % 4 == 3 ? kPlainPieces : kTrickyPieces;
        const std::string stored = RandomText(random, pieces, 1 + round % 40);
        const TracedWords traced = ReduceStoredTextToWords(stored);
        ASSERT_EQ(traced.words, ReaderWords(stored)) << "text #" << round;
        uint64_t previousEnd = 0;
        for (const ByteSpan& span : traced.spans) {
            ASSERT_GE(span.offset, previousEnd);
            ASSERT_LE(span.offset + span.length, stored.size());
            previousEnd = span.offset + span.length;
        }
    }
}

// The search for Latin-1 pairs jumps over as many places as a rewrite deleted before the pair it
// found; plain text between pairs counts place by place, a line end as one place.
TEST(TracedReduction, PlainTextCountsTowardsThePlacesTheRepairJumps) {
    const std::string jumps = "\xC2\x85\xC2\x86x\xC2\x87\xC2\x86y\xC2\x86";
    for (const char* after : {"ab", "abc", "abcd", "a\r\nb", "a\r\nbc", "\r\n\r\n"}) {
        const std::string stored = "word" + jumps + std::string(after) + "\xC2\x88word";
        EXPECT_EQ(ReduceStoredTextToWords(stored).words, ReaderWords(stored)) << after;
    }
}

TEST(TracedReduction, SpansCoverTheirWordsAsStored) {
    struct Row {
        std::string stored;
        std::vector<std::string> texts;  // the stored bytes of each word
    };
    const std::vector<Row> rows = {
        {"one\r\ntwo three\r\n\r\nfours", {"three", "fours"}},
        {"\r\n\r\nCaf\xC3\xA9 caf\xE9s", {"Caf\xC3\xA9", "caf\xE9s"}},  // UTF-8 and Windows-1252
        {"abc\xC2\x85"
         "def ghij",
         {"abc\xC2\x85"
          "def",
          "ghij"}},  // a removed control pair joins a word
        {"don\xE2\x80\x99tcha well\xE2\x80\x94"
         "done",
         {"tcha", "well", "done"}},
        {"line\nfeed\rends", {"line", "feed", "ends"}},
        {"\xC4\x8D"
         "aje",
         {"\xC4\x8D"
          "aje"}},
    };
    for (const Row& row : rows) {
        const TracedWords traced = ReduceStoredTextToWords(row.stored);
        ASSERT_EQ(traced.words, ReaderWords(row.stored)) << row.stored;
        ASSERT_EQ(traced.spans.size(), row.texts.size()) << row.stored;
        for (size_t i = 0; i < row.texts.size(); ++i) {
            EXPECT_EQ(row.stored.substr(traced.spans[i].offset, traced.spans[i].length),
                      row.texts[i])
                << row.stored;
        }
    }
}

TEST(TracedReduction, WordsOfLocallyRepairedTextsReduceFromTheirSpansAlone) {
    const std::vector<std::string> pieces = {"Wort",
                                             "stra\xC3\x9F"
                                             "e",
                                             "caf\xE9",
                                             " ",
                                             "\r\n",
                                             "\n",
                                             "\xE2\x80\x9C",
                                             ",",
                                             "ab"};
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        const std::string stored = RandomText(random, pieces, 30);
        const TracedWords traced = ReduceStoredTextToWords(stored);
        ASSERT_EQ(traced.words, ReaderWords(stored));
        for (size_t i = 0; i < traced.words.size(); ++i) {
            const std::string own = stored.substr(traced.spans[i].offset, traced.spans[i].length);
            ASSERT_EQ(ReduceStoredTextToWords(own).words, std::vector<std::string>{traced.words[i]})
                << own;
        }
    }
}

// Whole files as stored: empty, one byte, past a read chunk, and a file whose size says 0 while
// it has text (as the system's own files do), which is read on in chunks.
TEST(TracedReduction, ReadsTheWholeStoredFile) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("ravelin-stored-" + std::to_string(::getpid()));
    std::mt19937 random(3);
    for (const size_t size : {size_t{0}, size_t{1}, size_t{3} << 20}) {
        std::string bytes(size, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random());
        }
        std::ofstream(path, std::ios::binary) << bytes;
        const Result<std::string> read = ReadStoredFile(path.string());
        ASSERT_TRUE(read);
        EXPECT_EQ(read.value(), bytes) << size;
    }
    std::filesystem::remove(path);
    if (std::filesystem::exists("/proc/self/status")) {
        const Result<std::string> status = ReadStoredFile("/proc/self/status");
        ASSERT_TRUE(status);
        EXPECT_EQ(status.value().rfind("Name:", 0), 0U);
        EXPECT_NE(status.value().find("\nPid:"), std::string::npos);
    }
}

}  // namespace
}  // namespace ravelin
