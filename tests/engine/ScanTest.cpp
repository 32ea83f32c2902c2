#include "FolderGenerator.h"
#include "TempFolder.h"
#include "TextsForTests.h"
#include "engine/ReportSink.h"
#include "engine/Scan.h"
#include "output/TsvSink.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ravelin {
namespace {

using testing::GeneratedFolder;
using testing::TempFolder;

// Every event as one line, so that two scans can be compared whole.
class EventLog final : public ScanSink {
  public:
    std::string text;

    void OnFolderListed(const FolderListed& e) override {
        Line() << "listed " << static_cast<int>(e.pass) << ' ' << e.files << ' '
               << (e.unreadable != nullptr);
    }
    void OnPassBegun(ScanPass pass, int32_t files) override {
        Line() << "pass " << static_cast<int>(pass) << ' ' << files;
    }
    void OnFileBegun(const FileBegun& e) override {
        Line() << "file " << static_cast<int>(e.pass) << ' ' << e.index << ' ' << e.name;
    }
    void OnFileUnreadable(const FileUnreadable& e) override {
        Line() << "unreadable " << e.path << ' ' << e.reason;
    }
    void OnMatch(const MatchFound& e) override {
        Line() << "match " << e.index1 << ' ' << e.index2 << ' ' << e.percent << ' ' << e.mode
               << ' ' << e.shift << ' ' << e.matchNumber << " [" << e.segments.First() << "]["
               << e.segments.Second() << ']';
    }
    void OnPassEnded(ScanPass pass) override { Line() << "ended " << static_cast<int>(pass); }
    void OnScanEnded(const ScanEnded& e) override {
        Line() << "end " << static_cast<int>(e.how) << ' ' << e.matches;
        Line();
    }

  private:
    // Each line is complete once the next begins or the scan ends.
    std::ostringstream& Line() {
        out_ << '\n';
        text = out_.str();
        return out_;
    }
    std::ostringstream out_;
};

ScanOptions Options(const std::string& folder1, const std::string& folder2) {
    ScanOptions options;
    options.folders = {folder1, folder2};
    return options;
}

std::string Events(const ScanOptions& options, ScanControl control = {}) {
    Scan scan(options, std::move(control));
    EventLog log;
    scan.AddSink(log);
    scan.Run();
    return log.text;
}

// The literal try order, the pruned matcher and the pruned matcher on several threads must tell
// the very same story, whatever N, T and the two skips.
TEST(Scan, EveryComparisonGivesTheSameEvents) {
    const TempFolder folder;
    struct Row {
        int32_t n, t, skip1, skip2;
        int vocabulary, words;
    };
    const Row rows[] = {{20, 90, 0, 0, 8, 150},  {20, 60, 3, 0, 6, 150},   {23, 75, 0, 7, 10, 150},
                        {20, 100, 5, 5, 4, 150}, {30, 51, 11, 2, 12, 150}, {50, 95, 1, 9, 3, 150},
                        {21, 50, 0, 0, 16, 150}, {100, 90, 2, 0, 5, 260}};
    int matchingRows = 0;
    for (const Row& row : rows) {
        const std::string tag = std::to_string(row.n) + "-" + std::to_string(row.t);
        const std::string one = testing::WriteGeneratedFolder(
            folder, tag + "a", {18, row.words, row.vocabulary, static_cast<uint32_t>(row.n)});
        const std::string two = testing::WriteGeneratedFolder(
            folder, tag + "b", {14, row.words, row.vocabulary, static_cast<uint32_t>(row.t)});
        ScanOptions options = Options(one, two);
        options.numWordsToCompare = row.n;
        options.matchThreshold = row.t;
        options.numWordsToSkip = {row.skip1, row.skip2};
        options.literal = true;
        const std::string literal = Events(options);
        options.literal = false;
        EXPECT_EQ(Events(options), literal) << tag;
        options.jobs = 3;
        EXPECT_EQ(Events(options), literal) << tag;
        matchingRows += literal.find("match") != std::string::npos ? 1 : 0;
    }
    EXPECT_GE(matchingRows, 6);  // the comparison means little without matches
}

// The same text behind different preambles matches exactly, and at shift 0, only when each
// folder skips its own preamble.
TEST(Scan, EachFolderSkipsItsOwnWords) {
    const TempFolder folder;
    std::string text;
    for (int i = 0; i < 60; ++i) {
        text += "word" + std::to_string(i) + "x ";
    }
    folder.Write("one/a.txt", "pre1 pre2 pre3 " + text);
    folder.Write("two/b.txt", "later1 later2 later3 later4 later5 later6 later7 " + text);
    for (const bool literal : {true, false}) {
        ScanOptions options = Options(folder / "one", folder / "two");
        options.numWordsToSkip = {3, 7};
        options.literal = literal;
        EXPECT_NE(Events(options).find("match 0 0 100 2 0 1"), std::string::npos) << literal;
    }
}

// A stop asked for while the first match is reported takes effect before the next one.
TEST(Scan, StopsBeforeTheMatchAfterTheStopWasAsked) {
    const TempFolder folder;
    const std::string one = testing::WriteGeneratedFolder(folder, "a", {6, 150, 4, 1});
    struct StopAtAMatch final : ScanSink {
        bool asked = false;
        void OnMatch(const MatchFound& /*event*/) override { asked = true; }
    } stopper;
    Scan scan(Options(one, one), {{}, [&stopper] { return stopper.asked; }});
    EventLog log;
    scan.AddSink(log);
    scan.AddSink(stopper);
    EXPECT_EQ(scan.Run().how, ScanEnd::Stopped);
    EXPECT_EQ(log.text.substr(log.text.find("match")).find("\nend 1 1\n"),
              log.text.substr(log.text.find("match")).find('\n'));
}

TEST(Scan, AFolderWithoutTextFilesEndsTheScan) {
    const TempFolder folder;
    folder.Write("empty/readme.md", "not a text file");
    EXPECT_EQ(Events(Options(folder / "empty", folder / "empty")), "\nlisted 0 0 0\nend 2 0\n");
    EXPECT_EQ(Events(Options(folder / "gone", folder / "gone")), "\nlisted 0 0 1\nend 3 0\n");
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The sample folders' report and tab-separated list, as the first release wrote them.
TEST(Scan, SampleFoldersGiveTheirKnownReportAndList) {
    const std::string samples = RAVELIN_SOURCE_DIR "/data/samples/";
    const std::string expected = RAVELIN_SOURCE_DIR "/tests/data/";
    const testing::MapTextCatalog texts(testing::ScanTexts());
    Scan scan(Options(samples + "first", samples + "second"), {});
    ReportSink report(texts);
    std::ostringstream tsv;
    TsvSink list(tsv);
    scan.AddSink(report);
    scan.AddSink(list);
    scan.Run();
    std::string text = report.Log().Text();
    for (size_t at = 0; (at = text.find(samples)) != std::string::npos;) {
        text.replace(at, samples.size(), "data/samples/");
    }
    EXPECT_EQ(text, ReadFile(expected + "samples-report.txt"));
    EXPECT_EQ(tsv.str(), ReadFile(expected + "samples.tsv"));
}

}  // namespace
}  // namespace ravelin
