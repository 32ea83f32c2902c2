#include "TempFolder.h"
#include "engine/TextReader.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ravelin
