// ravelin-cli run in this process, its output captured. What needs a process of its own (signals,
// pipes, another user, the program texts beside the program) is in tests/app.

#include "CliRun.h"
#include "NonAsciiFolder.h"
#include "PageData.h"
#include "TempFolder.h"
#include "output/JsonSink.h"
#include "output/ReportFormat.h"
#include "ui/cli/CommandLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace ravelin::cli {
namespace {

// Distinct words with CR LF now and then, as files from other systems have them; every
// `replaceEvery`th word, from the first, is another one.
std::string Words(int count, int replaceEvery = 0) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += (replaceEvery > 0 && i % replaceEvery == 0 ? "other" : "word") +
                std::to_string(1000 + i) + (i % 8 == 7 ? "\r\n" : " ");
    }
    return text;
}

class CommandLineTest : public ::testing::Test {
  protected:
    CommandLineTest() {
        std::filesystem::create_directory(root_.Path() / "one");
        std::filesystem::create_directory(root_.Path() / "two");
    }
    testing::TempFolder root_;
    const std::string one_ = root_ / "one";
    const std::string two_ = root_ / "two";
};

TEST_F(CommandLineTest, FormatChoosesTheReportOrOneTsvLinePerMatch) {
    root_.Write("one/a.txt", Words(60));
    root_.Write("two/b.txt", Words(60));
    const std::string report =
        "There is one 'txt' file in the 1st folder:\n" + one_ +
        "\n\nThere is one 'txt' file in the 2nd folder:\n" + two_ +
        "\n\nFile 'a.txt' [1] in the 1st folder matches\nfile 'b.txt' [2] in the 2nd folder.\n"
        "[1] word1000 word1001 word1002 word1003 word1004\n[2] {same}\n\nThere is one match.\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{"scan", "--show", "5", one_, two_}, report},
        {{"scan", "--show", "5", "--format", "report", one_, two_}, report},
        {{"scan", "--format", "tsv", one_, two_}, "a.txt\tb.txt\t100\t2\t0\n"},
        {{"scan", "--format", "tsv", two_}, "b.txt\tb.txt\t100\t2\t0\n"},  // with itself
    };
    for (const auto& [args, expected] : rows) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, kExitScanned) << ::testing::PrintToString(args);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, expected) << ::testing::PrintToString(args);
    }
}

TEST_F(CommandLineTest, ThresholdAndSkipsReachTheirOwnSetting) {
    // Every 8th word differs, the first among them: 80 per cent alike, 90 past the first word.
    root_.Write("one/a.txt", Words(60));
    root_.Write("two/b.txt", Words(60, 8));
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{}, ""},
        {{"--threshold", "80"}, "a.txt\tb.txt\t80\t2\t0\n"},
        {{"--threshold", "80", "--skip1", "1"}, "a.txt\tb.txt\t90\t1\t1\n"},
        {{"--threshold", "80", "--skip2", "1"}, "a.txt\tb.txt\t90\t2\t1\n"},
    };
    for (const auto& [settings, expected] : rows) {
        std::vector<std::string> args = {"scan", "--format", "tsv", one_, two_};
        args.insert(args.begin() + 1, settings.begin(), settings.end());
        EXPECT_EQ(RunCli(args).out, expected) << ::testing::PrintToString(settings);
    }
}

TEST_F(CommandLineTest, OptionsAreValidatedLikeTheWindowsBoxes) {
    root_.Write("one/a.txt", Words(60));
    const std::string invalid = "ravelin-cli: Invalid input\n";
    const std::vector<std::tuple<std::string, int, std::string>> rows = {
        {"--words= 4 2 ", kExitScanned, ""},
        {"--words=19", kExitStopped,
         invalid + "Number of words in test segment\n must not be less than 20.\n"},
        {"--threshold=abc", kExitStopped,
         invalid + "Threshold for similarity\n must be a whole number.\n"},
        {"--skip2=-1", kExitStopped,
         invalid + "Number of words to skip in the 2nd folder\n must not be less than 0.\n"},
    };
    for (const auto& [option, status, err] : rows) {
        const CliRun run = RunCli({"scan", option, one_});
        EXPECT_EQ(run.status, status) << option;
        EXPECT_EQ(run.err, err) << option;
    }
}

TEST_F(CommandLineTest, FolderProblemsStopTheScanWithTheirMessage) {
    const std::string missing = root_ / "missing";
    const CliRun absent = RunCli({"scan", missing});
    EXPECT_EQ(absent.status, kExitStopped);
    EXPECT_EQ(absent.err,
              "ravelin-cli: Specify folder\nThe folder '" + missing + "' does not exist.\n");
    EXPECT_EQ(absent.out, "");

    root_.Write("one/a.txt", Words(60));
    const CliRun empty = RunCli({"scan", one_, two_});
    EXPECT_EQ(empty.status, kExitStopped);
    const std::string noFiles = "Get 2nd folder files\nThere are no 'txt' files in the second";
    EXPECT_EQ(empty.err, "ravelin-cli: " + noFiles + " folder:\n" + two_ + "\n");
    EXPECT_EQ(empty.out, "There is one 'txt' file in the 1st folder:\n" + one_ + "\n\n");
}

TEST_F(CommandLineTest, UsageErrorsHelpAndVersion) {
    const std::vector<std::vector<std::string>> usageErrors = {
        {},
        {"scan"},
        {"scan", "--show=5", "--no-show", one_},
        {"scan", "--format=xml", one_},
        {"scan", "--jobs=0", one_}};
    for (const std::vector<std::string>& args : usageErrors) {
        EXPECT_EQ(RunCli(args).status, kExitUsage) << ::testing::PrintToString(args);
    }
    const CliRun help = RunCli({"scan", "--help"});
    EXPECT_EQ(help.status, kExitScanned);
    EXPECT_NE(help.out.find("FOLDER1"), std::string::npos);
    EXPECT_EQ(RunCli({"--version"}).out, "ravelin-cli 1.00\n");
}

TEST_F(CommandLineTest, StrangeNamesAreKeptApartInTsv) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no names that are not Unicode or that hold control characters";
#endif
    for (const char* name : {"bad\xFF.txt", "new\nline.txt", "tab\there.txt", " leading.txt"}) {
        root_.Write(std::string("one/") + name, Words(60));
    }
    const CliRun tsv = RunCli({"scan", "--format", "tsv", one_});
    EXPECT_EQ(std::count(tsv.out.begin(), tsv.out.end(), '\n'), 16);
    EXPECT_NE(tsv.out.find("new\\nline.txt\ttab\\there.txt\t100"), std::string::npos);
    EXPECT_NE(tsv.out.find("bad\xFF.txt\t"), std::string::npos);  // raw bytes, to open the file
}

// A name cannot invent a line, a group or a terminal's colour in the groups or the messages; the
// report keeps the bytes the window shows.
TEST_F(CommandLineTest, GroupsAndMessagesEscapeNamesAndTheReportKeepsThem) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no names that hold control characters or ?, *, : or \\";
#endif
    const std::string odd = "a\tc\nd\re\x1b[31m.txt";
    root_.Write("one/" + odd, Words(60));
    root_.Write("one/plain.txt", Words(60));
    root_.Write("one/back\\slash\x1b.txt", Words(60));
    const CliRun groups = RunCli({"scan", "--format", "groups", one_});
    EXPECT_EQ(groups.out, one_ + "/a\\tc\\nd\\re\\x1b[31m.txt\n" + one_ + "/plain.txt\n\n");
    const std::string refused = "ravelin-cli: left out '" + one_ +
                                "/back\\\\slash\\x1b.txt': a name with ?, *, : or \\ is never "
                                "compared\n";
    EXPECT_EQ(groups.err, refused + refused);
    const CliRun report = RunCli({"scan", "--no-show", one_});
    EXPECT_NE(report.out.find("File '" + odd + "' [1]"), std::string::npos);
    const CliRun json = RunCli({"scan", "--format", "json", one_});
    const std::string line =
        R"({"type":"refused","folder":1,"path":")" + one_ + R"(/back\\slash\u001b.txt"})";
    EXPECT_NE(json.out.find(line + "\n"), std::string::npos) << json.out;
}

// On every platform: a result replaces the file -o names only when the scan completed, and
// nothing is left beside it.
TEST_F(CommandLineTest, OutputReplacesItsFileOnlyAfterACompleteScan) {
    root_.Write("one/a.txt", Words(60));
    const std::string keep = root_.Write("out/keep.tsv", "GOOD\n");
    EXPECT_EQ(RunCli({"scan", "--format", "tsv", "-o", keep, two_}).status, kExitStopped);
    EXPECT_EQ(testing::Read(keep), "GOOD\n");
    EXPECT_EQ(RunCli({"scan", "--format", "tsv", "-o", keep, one_}).status, kExitScanned);
    EXPECT_EQ(testing::Read(keep), "a.txt\ta.txt\t100\t2\t0\n");
    const std::string fresh = root_ / "out/new.tsv";
    EXPECT_EQ(RunCli({"scan", "--format", "tsv", "-o", fresh, one_}).status, kExitScanned);
    EXPECT_EQ(testing::Read(fresh), "a.txt\ta.txt\t100\t2\t0\n");
    const auto entries = std::distance(std::filesystem::directory_iterator(root_.Path() / "out"),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 2);
}

// Other programs get from JSON exactly the pairs, in the order and with the numbers, that tsv
// lists, and every name that is not UTF-8 also as its exact bytes.
TEST_F(CommandLineTest, JsonListsTheMatchesTsvLists) {
#ifdef _WIN32
    const char* const odd = "b\xC3\xA9.txt";  // every Windows name is Unicode
#else
    const char* const odd = "bad\xFF.txt";
#endif
    for (const char* name : {odd, "a.txt", "b.txt"}) {
        root_.Write(std::string("one/") + name, Words(60, 7));
        root_.Write(std::string("two/") + name, Words(60, name[0] == 'b' ? 3 : 0));
    }
    // The sample folders too, whose report is known.
    const std::string samples = RAVELIN_SOURCE_DIR "/data/samples/";
    for (const auto& [first, second] :
         {std::pair{one_, two_}, {samples + "first", samples + "second"}}) {
        const CliRun tsv = RunCli({"scan", "--format", "tsv", "--threshold", "60", first, second});
        const CliRun json =
            RunCli({"scan", "--format", "json", "--threshold", "60", first, second});
        std::string fromJson;
        std::istringstream lines(json.out);
        nlohmann::json summary;
        for (std::string line; std::getline(lines, line);) {
            const nlohmann::json object = nlohmann::json::parse(line);
            if (object["type"] == "match") {
                const auto name = [&object](const std::string& key) {
                    return object.contains(key + "_bytes")
                               ? object[key + "_bytes"].get<std::string>()
                               : object[key].get<std::string>();
                };
                fromJson += name("file1") + '\t' + name("file2") + '\t' +
                            std::to_string(object["percent"].get<int>()) + '\t' +
                            std::to_string(object["mode"].get<int>()) + '\t' +
                            std::to_string(object["shift"].get<int>()) + '\n';
                EXPECT_EQ(object["words1"].size(), object["words2"].size());
            }
            summary = object;
        }
        // The one name that is not UTF-8 comes back from its base64 bytes as tsv writes it.
        for (size_t at; (at = fromJson.find("YmFk/y50eHQ=")) != std::string::npos;) {
            fromJson.replace(at, 12, "bad\xFF.txt");
        }
        EXPECT_EQ(fromJson, tsv.out);
        EXPECT_GT(std::count(tsv.out.begin(), tsv.out.end(), '\n'), 3);
        EXPECT_EQ(summary["matches"], std::count(tsv.out.begin(), tsv.out.end(), '\n'));
        EXPECT_EQ(summary["stopped"], false);
    }
    EXPECT_EQ(Base64("a") + Base64("ab"), "YQ==YWI=");
}

TEST_F(CommandLineTest, WordsShowsWhatAScanCompares) {
    const std::string file = root_.Write(
        "f.txt", "The caf\xC3\xA9 and the \xE2\x80\x9Cquoted\xE2\x80\x9D Words.\r\n" + Words(50));
    const CliRun run = RunCli({"words", "--skip", "1", file});
    EXPECT_EQ(run.status, kExitScanned);
    EXPECT_TRUE(run.out.starts_with("caf\xC3\xA9\nquoted\nwords\nword1000\n")) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 41);
    EXPECT_EQ(run.err, "");
    // Read by lines, the budget of 60 words is tested after whole lines: all 8 lines are read.
    const CliRun byLines = RunCli({"words", "--by-lines", "--words", "30", file});
    EXPECT_EQ(byLines.status, kExitScanned);
    EXPECT_EQ(byLines.err,
              "ravelin-cli: 53 of the 60 words a scan needs: the file is too small "
              "and is never compared.\n");
}

// The page carries every pair tsv lists, even when a folder's path holds the "</script>" that would
// end its script, and asks the network for nothing.
TEST_F(CommandLineTest, HtmlEmbedsEveryPairTsvListsAndNothingElse) {
#ifdef _WIN32
    const std::string twoName = "x script";  // Windows forbids < and > in names
#else
    const std::string twoName = "x</script>";
#endif
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        root_.Write(std::string("one/") + name, Words(60, 7));
        root_.Write(twoName + "/" + name, Words(60, name[0] == 'b' ? 3 : 0));
    }
    const std::string two = root_ / twoName;
    const CliRun tsv = RunCli({"scan", "--format", "tsv", "--threshold", "60", one_, two});
    const CliRun html = RunCli({"scan", "--format", "html", "--threshold", "60", one_, two});
    EXPECT_EQ(html.status, kExitScanned);
    const auto data = testing::PageData(html.out);
    const auto& texts = data["texts"];
    std::string fromHtml;
    for (const auto& row : data["rows"]) {
        // [index1, text1, text2, percent, mode, shift, first1, first2, equal]
        fromHtml += texts[row[1].get<size_t>()][1].get<std::string>() + '\t' +
                    texts[row[2].get<size_t>()][1].get<std::string>() + '\t' +
                    std::to_string(row[3].get<int>()) + '\t' + std::to_string(row[4].get<int>()) +
                    '\t' + std::to_string(row[5].get<int>()) + '\n';
        // Each side's text, read from a folder whose name ends a script, has its words' places.
        for (const size_t side : {size_t{1}, size_t{2}}) {
            const auto& text = texts[row[side].get<size_t>()];
            EXPECT_GE(text[3].size(), 2 * (row[6].get<size_t>() + row[8].get<std::string>().size()))
                << text[2];
        }
    }
    EXPECT_EQ(data["summary"]["groups"].size(), 1U);  // two folders: every pair is in a group
    EXPECT_NE(tsv.out, "");
    EXPECT_EQ(fromHtml, tsv.out);
    EXPECT_EQ(data["summary"]["folders"][1], two);
    EXPECT_EQ(html.out.find("http"), std::string::npos);
}

// The Windows suite expects the same report of the program run there.
TEST_F(CommandLineTest, NamesOutsideAsciiGiveOneReportOnEveryPlatform) {
    const std::string folder = testing::WriteNonAsciiFolder(root_);
    std::ifstream file(RAVELIN_SOURCE_DIR "/tests/data/non-ascii-report.txt", std::ios::binary);
    std::string expected{std::istreambuf_iterator<char>(file), {}};
    // The file has the folder as a scan from the folder above names it.
    const std::string name = "\n" + testing::kNonAsciiFolderName + "\n";
    for (size_t at; (at = expected.find(name)) != std::string::npos;) {
        expected.replace(at, name.size(), "\n" + folder + "\n");
    }
    const CliRun run = RunCli({"scan", folder});
    EXPECT_EQ(run.status, kExitScanned);
    EXPECT_EQ(run.out, expected);
    EXPECT_GT(expected.size(), 200U);
}

TEST(ReportFormat, LineFeedsOnlyAndOneAtTheEnd) {
    EXPECT_EQ(ReportText(""), "");
    EXPECT_EQ(ReportText("a\r\nb"), "a\nb\n");
    EXPECT_EQ(ReportText("a\r\nSTOPPED\r\n"), "a\nSTOPPED\n");
    EXPECT_EQ(ReportText("lone\rreturn"), "lone\rreturn\n");
}

}  // namespace
}  // namespace ravelin::cli
