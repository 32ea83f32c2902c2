#include "FolderGenerator.h"
#include "PageData.h"
#include "engine/Scan.h"
#include "output/HtmlSink.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ravelin {
namespace {

// The words each match compared, as the scan gave them.
class SegmentsSink final : public ScanSink {
  public:
    void OnMatch(const MatchFound& event) override {
        segments.push_back({event.segments.First(), event.segments.Second()});
    }
    std::vector<std::array<std::string, 2>> segments;
};

std::vector<std::string> SegmentWords(const std::string& segment) {
    std::vector<std::string> words;
    std::istringstream in(segment);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

struct PageScan {
    std::string html;
    std::vector<std::array<std::string, 2>> segments;
    std::string notice;
};

PageScan ScanToPage(const std::string& folder, int64_t maxRows) {
    ScanOptions options;
    options.folders = {folder, folder};
    options.numWordsToSkip = {2, 1};
    Scan scan(options, {});
    MatchGroups groups;
    SegmentsSink segments;
    std::ostringstream out;
    HtmlSink page(out, groups, maxRows);
    scan.AddSink(groups);
    scan.AddSink(segments);
    scan.AddSink(page);
    scan.Run();
    return {out.str(), segments.segments, page.Notice()};
}

// Every row's marks name, in each side's text, exactly the words the comparison compared, after
// the skipped ones and the shift.
TEST(HtmlSinkTest, EachRowMarksTheWordsTheScanCompared) {
    testing::TempFolder root;
    const std::string folder = testing::WriteGeneratedFolder(root, "f", {.files = 24});
    const PageScan scan = ScanToPage(folder, HtmlSink::kMaxRows);
    const auto data = testing::PageData(scan.html);
    const auto& rows = data["rows"];
    ASSERT_EQ(rows.size(), scan.segments.size());
    ASSERT_GT(rows.size(), 20U);
    EXPECT_EQ(data["summary"]["matches"], rows.size());
    EXPECT_EQ(data["summary"]["rowsLeftOut"], 0);
    EXPECT_EQ(scan.notice, "");
    for (size_t r = 0; r < rows.size(); ++r) {
        const auto& row = rows[r];
        const std::string equal = row[8];
        for (const size_t side : {size_t{0}, size_t{1}}) {
            const auto& text = data["texts"][row[1 + side].get<size_t>()];
            const std::string body = text[2];
            const std::vector<std::string> compared = SegmentWords(scan.segments[r][side]);
            ASSERT_EQ(compared.size(), equal.size());
            const auto first = row[6 + side].get<size_t>();
            const bool shifted = (side == 0) == (row[4] == 2);
            EXPECT_EQ(first, (side == 0 ? 2U : 1U) + (shifted ? row[5].get<size_t>() : 0U));
            for (size_t k = 0; k < compared.size(); ++k) {
                const auto start = text[3][2 * (first + k)].get<size_t>();
                const auto end = text[3][2 * (first + k) + 1].get<size_t>();
                ASSERT_EQ(body.substr(start, end - start), compared[k]) << r << " " << side;
            }
        }
        const std::vector<std::string> words1 = SegmentWords(scan.segments[r][0]);
        const std::vector<std::string> words2 = SegmentWords(scan.segments[r][1]);
        for (size_t k = 0; k < equal.size(); ++k) {
            EXPECT_EQ(equal[k] == '1', words1[k] == words2[k]);
        }
    }
}

TEST(HtmlSinkTest, RowsPastTheLimitAreCountedAndTheNoticeSaysWhereAllAre) {
    testing::TempFolder root;
    const std::string folder = testing::WriteGeneratedFolder(root, "f", {.files = 24});
    const PageScan scan = ScanToPage(folder, 5);
    const auto data = testing::PageData(scan.html);
    EXPECT_EQ(data["rows"].size(), 5U);
    EXPECT_EQ(data["summary"]["rowsLeftOut"].get<size_t>(), scan.segments.size() - 5);
    EXPECT_EQ(scan.notice, "the page lists the first 5 matches and leaves out " +
                               std::to_string(scan.segments.size() - 5) +
                               "; --format json or tsv lists every match");
    EXPECT_TRUE(scan.html.ends_with("</html>\n"));
    EXPECT_EQ(scan.html.find("report.js"), std::string::npos);  // the script is in the page
}

}  // namespace
}  // namespace ravelin
