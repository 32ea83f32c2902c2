#include "CliRunner.h"
#include "TempFolder.h"
#include "ui/cli/CommandLine.h"
#include "ui/cli/ReportFormat.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace ravelin::cli {
namespace {

using testing::CliRun;
using testing::RunCli;
using testing::TempFolder;

std::string Words(int from, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "word" + std::to_string(1000 + from + i) + (i % 8 == 7 ? "\r\n" : " ");
    }
    return text;
}

class CommandLineTest : public ::testing::Test {
  protected:
    CommandLineTest() {
        std::filesystem::create_directory(root_.Path() / "one");
        std::filesystem::create_directory(root_.Path() / "two");
        one_ = root_ / "one";
        two_ = root_ / "two";
    }
    void Write(const std::string& folder, const std::string& name, const std::string& text) const {
        std::ofstream(std::filesystem::path(folder) / name, std::ios::binary) << text;
    }

    TempFolder root_;
    std::string one_;
    std::string two_;
};

TEST_F(CommandLineTest, TheReportIsTheLogWithLineFeeds) {
    Write(one_, "a.txt", Words(0, 60));
    Write(two_, "b.txt", Words(0, 60));
    const CliRun run = RunCli({"scan", "--show", "5", one_, two_});
    EXPECT_EQ(run.status, kExitScanned);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "There is one 'txt' file in the 1st folder:\n" + one_ +
                           "\n\nThere is one 'txt' file in the 2nd folder:\n" + two_ +
                           "\n\nFile 'a.txt' [1] in the 1st folder matches\nfile 'b.txt' [2] in "
                           "the 2nd folder.\n[1] word1000 word1001 word1002 word1003 "
                           "word1004\n[2] {same}\n\nThere is one match.\n");
}

TEST_F(CommandLineTest, OneFolderIsComparedWithItself) {
    Write(one_, "a.txt", Words(0, 60));
    Write(one_, "b.txt", Words(100, 60));
    const CliRun run = RunCli({"scan", "--no-show", "--format", "tsv", one_});
    EXPECT_EQ(run.status, kExitScanned);
    EXPECT_EQ(run.out, "a.txt\ta.txt\t100\t2\t0\nb.txt\tb.txt\t100\t2\t0\n");
}

TEST_F(CommandLineTest, OptionsAreValidatedLikeTheWindowsBoxes) {
    Write(one_, "a.txt", Words(0, 60));
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::vector<Row> rows = {
        {{"--words", " 4 2 "}, kExitScanned, ""},
        {{"--words", "19"},
         kExitStopped,
         "ravelin-cli: Invalid input\nNumber of words in test segment\n must not be less than "
         "20.\n"},
        {{"--threshold", "abc"},
         kExitStopped,
         "ravelin-cli: Invalid input\nThreshold for similarity\n must be a whole number.\n"},
        {{"--skip2=-1"},
         kExitStopped,
         "ravelin-cli: Invalid input\nNumber of words to skip in the 2nd folder\n must not be "
         "less than 0.\n"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"scan"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        args.push_back(one_);
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, row.status) << row.args[0];
        EXPECT_EQ(run.err, row.err) << row.args[0];
    }
}

TEST_F(CommandLineTest, FolderProblemsStopTheScanWithTheirMessage) {
    const std::string missing = root_ / "missing";
    const CliRun absent = RunCli({"scan", missing});
    EXPECT_EQ(absent.status, kExitStopped);
    EXPECT_EQ(absent.err,
              "ravelin-cli: Specify folder\nThe folder '" + missing + "' does not exist.\n");
    EXPECT_EQ(absent.out, "");

    Write(one_, "a.txt", Words(0, 60));
    const CliRun empty = RunCli({"scan", one_, two_});
    EXPECT_EQ(empty.status, kExitStopped);
    EXPECT_EQ(empty.err,
              "ravelin-cli: Get 2nd folder files\nThere are no 'txt' files in the "
              "second folder:\n" +
                  two_ + "\n");
    EXPECT_EQ(empty.out, "There is one 'txt' file in the 1st folder:\n" + one_ + "\n\n");
}

TEST_F(CommandLineTest, UsageErrorsAndHelp) {
    EXPECT_EQ(RunCli({}).status, kExitUsage);
    EXPECT_EQ(RunCli({"scan"}).status, kExitUsage);
    EXPECT_EQ(RunCli({"scan", "--show", "5", "--no-show", one_}).status, kExitUsage);
    EXPECT_EQ(RunCli({"scan", "--format", "xml", one_}).status, kExitUsage);
    const CliRun help = RunCli({"scan", "--help"});
    EXPECT_EQ(help.status, kExitScanned);
    EXPECT_NE(help.out.find("FOLDER1"), std::string::npos);
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.status, kExitScanned);
    EXPECT_EQ(version.out, "ravelin-cli 1.00\n");
}

TEST_F(CommandLineTest, WordsShowsWhatAScanCompares) {
    const std::string file = root_ / "f.txt";
    std::ofstream(file, std::ios::binary)
        << "The caf\xC3\xA9 and the \xE2\x80\x9Cquoted\xE2\x80\x9D"
           " Words.\r\n" +
               Words(0, 50);
    const CliRun run = RunCli({"words", "--skip", "1", file});
    EXPECT_EQ(run.status, kExitScanned);
    EXPECT_TRUE(run.out.starts_with("caf\xC3\xA9\nquoted\nwords\nword1000\n"));
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 41);
    EXPECT_EQ(run.err, "");

    // Read by lines, the budget is 41 lines: the file has 8 lines, and too few words.
    const CliRun byLines = RunCli({"words", "--by-lines", "--words", "30", file});
    EXPECT_EQ(byLines.status, kExitScanned);
    EXPECT_EQ(byLines.err,
              "ravelin-cli: 53 of the 60 words a scan needs: the file is too small "
              "and is never compared.\n");
}

TEST(ReportFormat, ReportEndsWithOneLineFeed) {
    EXPECT_EQ(ReportText(""), "");
    EXPECT_EQ(ReportText("a\r\nb"), "a\nb\n");
    EXPECT_EQ(ReportText("a\r\nSTOPPED\r\n"), "a\nSTOPPED\n");
    EXPECT_EQ(ReportText("lone\rreturn"), "lone\rreturn\n");
}

}  // namespace
}  // namespace ravelin::cli
