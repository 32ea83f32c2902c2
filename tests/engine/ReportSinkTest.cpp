#include "TextsForTests.h"
#include "engine/ReportSink.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

class ReportSinkTest : public ::testing::Test {
  protected:
    ReportSinkTest() : texts_(testing::ScanTexts()), report_(texts_) {}

    const std::string& Text() const { return report_.Log().Text(); }
    void Begin(bool display = true, int32_t m = 3) {
        ScanOptions options;
        options.displayReducedText = display;
        options.numWordsToDisplay = m;
        report_.OnScanBegun(options);
    }
    void Match(int32_t percent, int32_t number = 1, const std::string& name1 = "a.txt") {
        report_.OnMatch({0, 0, name1, name2_, percent, 2, 0, number, segments_});
    }

    testing::MapTextCatalog texts_;
    ReportSink report_;
    const std::string name2_ = "b.txt";
    const SegmentWords segments_{"one two three four ", "one two tree four "};
};

TEST_F(ReportSinkTest, AMatchIsReportedWithAsManyWordsAsAsked) {
    struct Row {
        int32_t percent;
        bool display;
        int32_t m;
        std::string lines;
    };
    const std::string head =
        "File 'a.txt' [1] in the 1st folder matches\r\nfile 'b.txt' [2] in "
        "the 2nd folder";
    const Row rows[] = {
        {100, true, 3, head + ".\r\n[1] one two three\r\n[2] {same}\r\n\r\n"},
        {90, true, 2, head + " (though not exactly).\r\n[1] one two\r\n[2] one two\r\n\r\n"},
        {95, true, 4,
         head +
             " (though not exactly).\r\n[1] one two three four\r\n[2] one two tree four\r\n\r\n"},
        {100, false, 3, head + ".\r\n\r\n"},
    };
    for (const Row& row : rows) {
        Begin(row.display, row.m);
        report_.Log().SetText("");
        Match(row.percent);
        EXPECT_EQ(Text(), row.lines) << row.percent << " " << row.m;
    }
}

// A "#" or the progress text in the folder's path must not be taken for the counter or its line.
TEST_F(ReportSinkTest, TheProgressLineIsTheReportsOwn) {
    Begin();
    const std::string path = "/texts/#1 Processing files in 1st folder:";
    report_.OnFolderListed({ScanPass::First, path, 2, nullptr});
    const std::string folderLine =
        "There are 2 'txt' files in the 1st folder:\r\n" + path + "\r\n\r\n";
    report_.OnPassBegun(ScanPass::First, 2);
    for (int32_t k = 0; k < 2; ++k) {
        report_.OnFileBegun({ScanPass::First, k, 2, name2_});
    }
    EXPECT_EQ(Text(), folderLine + "Processing files in 1st folder: File #2");
    report_.OnPassEnded(ScanPass::First);
    EXPECT_EQ(Text(), folderLine);
    report_.OnScanEnded({ScanEnd::Stopped, 0});
    EXPECT_EQ(Text(), folderLine + "\r\nSTOPPED\r\n");
}

TEST_F(ReportSinkTest, TheSummaryCountsTheMatches) {
    const std::pair<int32_t, std::string> rows[] = {
        {0, "There are no matches."}, {1, "There is one match."}, {3, "There are 3 matches."}};
    for (const auto& [matches, summary] : rows) {
        Begin();
        report_.OnScanEnded({ScanEnd::Complete, matches});
        EXPECT_EQ(Text(), "Scanning ...\r\n" + summary);
    }
}

// Once a report would pass the cap nothing more is appended, not even a shorter line or the
// summary; only the blank line after each match still arrives, as the window's box takes it.
TEST_F(ReportSinkTest, TheReportStopsAtItsCap) {
    Begin();
    int32_t matches = 0;
    while (!report_.blnOutputFull) {
        Match(90, ++matches);
    }
    const int64_t full = report_.Log().Length();
    EXPECT_LE(full, kOutputCap);
    EXPECT_GT(full, kOutputCap - 200);
    Match(100, ++matches, "x");
    report_.OnScanEnded({ScanEnd::Complete, matches});
    EXPECT_EQ(report_.Log().Length(), full + 2);
    EXPECT_EQ(Text().substr(Text().size() - 6), "\r\n\r\n\r\n");
}

}  // namespace
}  // namespace ravelin
