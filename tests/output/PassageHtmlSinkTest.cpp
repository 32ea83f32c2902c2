#include "PageData.h"
#include "TempFolder.h"
#include "Utf16.h"
#include "engine/PassageScan.h"
#include "files/TextEncoding.h"
#include "output/PassageHtmlSink.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

namespace ravelin {
namespace {

using testing::Utf16;

// The passages of each pair with the names of its files, as the scan gave them.
class PairsSink final : public PassageSink {
  public:
    void OnPairFound(const PassagePairFound& event) override {
        pairs.push_back({event.name1, event.name2, event.pair.passages});
    }
    struct Pair {
        std::string name1;
        std::string name2;
        std::vector<Passage> passages;
    };
    std::vector<Pair> pairs;
};

// The same 40 words in each file, inside text of its own, in its own encoding and line ends;
// characters of two, three and four bytes before and inside the passage move every place.
std::string Stored(bool cp1252, const std::string& lineEnd, const std::string& lead) {
    std::string text = lead + lineEnd;
    for (int i = 0; i < 40; ++i) {
        const std::string word = i % 7 == 3 ? "caf\xC3\xA9" : "word" + std::to_string(i);
        text += (cp1252 ? Utf8ToCp1252(word) : word) + (i % 6 == 5 ? lineEnd : " ");
    }
    return text + lineEnd + "tail of its own";
}

class PassageHtmlSinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        stored_ = {
            {"u.txt", Stored(false, "\n",
                             "\xC3\x9C"
                             "ber \xF0\x9D\x84\x9E na\xC3\xAFve \xE2\x98\x83")},
            {"w.txt", Stored(true, "\r\n",
                             "\xC9t\xE9 \xA9 ann\xE9"
                             "e")},
            {"c.txt", Stored(false, "\r\n", "plain start")},
        };
        for (const auto& [name, bytes] : stored_) {
            root_.Write("f/" + name, bytes);
        }
    }

    struct PageScan {
        nlohmann::json data;
        std::vector<PairsSink::Pair> pairs;
        std::string notice;
    };
    PageScan ScanToPage(int64_t maxRows) const {
        PassageOptions options;
        options.folders = {root_ / "f", root_ / "f"};
        PassageScan scan(options, ScanControl{});
        PairsSink pairs;
        std::ostringstream out;
        PassageHtmlSink page(out, maxRows);
        scan.AddSink(pairs);
        scan.AddSink(page);
        EXPECT_EQ(scan.Run().how, ScanEnd::Complete);
        EXPECT_TRUE(out.str().ends_with("</html>\n"));
        return {testing::PageData(out.str()), pairs.pairs, page.Notice()};
    }

    // The bytes as stored, decoded as the page decodes the whole file.
    std::u16string Decoded(const std::string& name, ByteSpan bytes) const {
        const std::string& file = stored_.at(name);
        const std::string part = file.substr(bytes.offset, bytes.length);
        return Utf16(IsValidUtf8(file) ? part : Cp1252ToUtf8(part));
    }

    testing::TempFolder root_;
    std::map<std::string, std::string> stored_;
};

// Every mark cuts the page's text exactly where the passage's bytes lie, on both sides.
TEST_F(PassageHtmlSinkTest, EachMarkIsThePassagesBytesAsDecoded) {
    const PageScan scan = ScanToPage(PassageHtmlSink::kMaxRows);
    const auto& rows = scan.data["rows"];
    ASSERT_EQ(rows.size(), 9U);  // every file with each, itself too
    ASSERT_EQ(rows.size(), scan.pairs.size());
    std::set<std::string> names;
    for (const auto& text : scan.data["texts"]) {
        EXPECT_TRUE(names.insert(text[1]).second) << text[1] << " is in the page twice";
    }
    EXPECT_EQ(names.size(), 3U);
    for (size_t r = 0; r < rows.size(); ++r) {
        const auto& marks = rows[r][10];
        const std::vector<Passage>& passages = scan.pairs[r].passages;
        ASSERT_EQ(marks.size(), 5 * passages.size());
        for (size_t side = 0; side < 2; ++side) {
            const auto& text = scan.data["texts"][rows[r][1 + side].get<size_t>()];
            const std::string& name = side == 0 ? scan.pairs[r].name1 : scan.pairs[r].name2;
            ASSERT_EQ(text[1], name);
            const std::u16string shown = Utf16(text[2]);
            for (size_t p = 0; p < passages.size(); ++p) {
                const auto start = marks[5 * p + 2 * side].get<size_t>();
                const auto end = marks[5 * p + 2 * side + 1].get<size_t>();
                const ByteSpan bytes = side == 0 ? passages[p].bytes1 : passages[p].bytes2;
                EXPECT_EQ(shown.substr(start, end - start), Decoded(name, bytes)) << r;
                if (scan.pairs[r].name1 != scan.pairs[r].name2) {  // a file shares its lead
                    EXPECT_EQ(shown.substr(start, 4), u"word") << name;
                }
            }
        }
    }
    EXPECT_EQ(scan.data["summary"]["rowsLeftOut"], 0);
    EXPECT_EQ(scan.notice, "");
}

TEST_F(PassageHtmlSinkTest, RowsPastTheLimitAreCountedAndTheNoticeSaysWhereAllAre) {
    const PageScan scan = ScanToPage(4);
    EXPECT_EQ(scan.data["rows"].size(), 4U);
    EXPECT_EQ(scan.data["summary"]["rowsLeftOut"], 5);
    EXPECT_EQ(scan.data["summary"]["matches"], 9);
    EXPECT_EQ(scan.notice,
              "the page lists the first 4 pairs and leaves out 5; --format json or "
              "tsv lists every pair");
}

}  // namespace
}  // namespace ravelin
