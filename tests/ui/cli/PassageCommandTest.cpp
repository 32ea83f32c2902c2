// ravelin-cli scan --passages run in this process: the formats of the table, and its options.

#include "CliRun.h"
#include "TempFolder.h"
#include "ui/cli/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace ravelin::cli {
namespace {

// Words `from` to `to` - 1 of one numbered text, CR LF after every seventh.
std::string Span(int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i) {
        text += "word" + std::to_string(1000 + i) + (i % 7 == 6 ? "\r\n" : " ");
    }
    return text;
}

class PassageCommandTest : public ::testing::Test {
  protected:
    PassageCommandTest() {
        std::filesystem::create_directory(root_.Path() / "one");
        std::filesystem::create_directory(root_.Path() / "two");
        // b.txt holds words 20-49 of a.txt behind a preamble of its own.
        root_.Write("one/a.txt", Span(0, 80));
        root_.Write("two/b.txt", "preamble text comes first\n" + Span(20, 50));
    }
    testing::TempFolder root_;
    const std::string one_ = root_ / "one";
    const std::string two_ = root_ / "two";
};

TEST_F(PassageCommandTest, EveryFormatWithAPassageOutputWritesThePair) {
    const CliRun json = RunCli({"scan", "--passages", "--format", "json", one_, two_});
    ASSERT_EQ(json.status, 0) << json.err;
    std::istringstream lines(json.out);
    std::vector<nlohmann::json> objects;
    for (std::string line; std::getline(lines, line);) {
        objects.push_back(nlohmann::json::parse(line));
    }
    ASSERT_EQ(objects.size(), 4U);  // two folders, the match, the summary
    const nlohmann::json& match = objects[2];
    EXPECT_EQ(match["type"], "match");
    EXPECT_EQ(match["file1"], "a.txt");
    EXPECT_EQ(match["percent1"], 37);  // 30 of 80 words
    EXPECT_EQ(match["percent2"], 88);  // 30 of 34 ("text" is too short a word)
    EXPECT_EQ(match["total2"], 34);
    EXPECT_EQ(match["longest"], 30);
    ASSERT_EQ(match["passages"].size(), 1U);
    const nlohmann::json& passage = match["passages"][0];
    EXPECT_EQ(passage["start1"], 20);
    EXPECT_EQ(passage["end1"], 50);
    EXPECT_EQ(passage["start2"], 4);
    EXPECT_EQ(passage["end2"], 34);
    // The bytes are those of the passage in each file as stored, from its first word to its
    // last, CR LF and all.
    const std::string stored = Span(0, 80);
    const std::string text = Span(20, 50);
    EXPECT_EQ(stored.substr(passage["offset1"].get<size_t>(), passage["length1"].get<size_t>()),
              text.substr(0, text.size() - 1));
    EXPECT_EQ(passage["offset2"], 26);
    EXPECT_EQ(passage["length2"], text.size() - 1);
    EXPECT_EQ(objects[3]["matches"], 1);

    EXPECT_EQ(RunCli({"scan", "--passages", "--format", "tsv", one_, two_}).out,
              "a.txt\tb.txt\t37\t88\t30\t30\t1\t30\n");
    const CliRun report = RunCli({"scan", "--passages", one_, two_});
    EXPECT_NE(report.out.find("File 'a.txt' [1] in the 1st folder shares a passage with\n"
                              "file 'b.txt' [2] in the 2nd folder: 37 % of [1] (30 of 80 words)"),
              std::string::npos)
        << report.out;
    EXPECT_NE(report.out.find("[1] word1020 word1021"), std::string::npos);
    EXPECT_EQ(RunCli({"scan", "--passages", "--format", "groups", one_, two_}).out,
              (root_ / "one/a.txt") + "\n" + (root_ / "two/b.txt") + "\n\n");
    EXPECT_TRUE(
        RunCli({"scan", "--passages", "--format", "html", one_, two_}).out.ends_with("</html>\n"));
}

TEST_F(PassageCommandTest, CommonTextAndItsCountAreLeftOut) {
    root_.Write("common.txt", Span(20, 50));
    EXPECT_EQ(RunCli({"scan", "--passages", "--format", "tsv", "--common", root_ / "common.txt",
                      one_, two_})
                  .out,
              "");
    // Words 0-39 are in two 1st-folder files, so only 40-49 are left to share.
    root_.Write("one/c.txt", Span(0, 40));
    const CliRun counted = RunCli({"scan", "--passages", "--format", "tsv", "--min-words", "5",
                                   "--max-files", "1", one_, two_});
    EXPECT_EQ(counted.out, "a.txt\tb.txt\t12\t29\t10\t10\t1\t10\n") << counted.err;
}

TEST_F(PassageCommandTest, OptionsOutOfRangeAreNamedWithTheirRange) {
    struct Row {
        std::vector<std::string> options;
        int status;
        std::string message;
    };
    const std::vector<Row> rows = {
        {{"--passages", "--min-words", "4"}, 2, "--min-words: Value 4 not in range 5 to 100"},
        {{"--passages", "--min-words", "101"}, 2, "not in range 5 to 100"},
        {{"--passages", "--gap", "11"}, 2, "--gap: Value 11 not in range 0 to 10"},
        {{"--passages", "--max-files", "0"}, 2, "--max-files: Value 0 not in range 1 to"},
        {{"--min-words", "20"}, 2, "--min-words requires --passages"},
        {{"--passages", "--literal"}, 2, "excludes"},
        {{"--passages", "--common", root_ / "missing.txt"}, 1, "missing.txt"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"scan"};
        args.insert(args.end(), row.options.begin(), row.options.end());
        args.insert(args.end(), {"-o", root_ / "out.txt", one_, two_});
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, row.status) << row.options[1];
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
        // Nothing is written before the settings and the common text are known to be good.
        EXPECT_FALSE(std::filesystem::exists(root_ / "out.txt")) << row.options[1];
    }
}

}  // namespace
}  // namespace ravelin::cli
