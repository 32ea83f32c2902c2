#include "engine/MatchHighlight.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

// One letter per word of a side: S skipped, E equal, D different, U after the compared window.
std::string Marks(const MatchHighlight& highlight, int side, size_t words) {
    std::string marks;
    for (size_t i = 0; i < words; ++i) {
        marks.push_back("SEDU"[static_cast<int>(highlight.Mark(side, static_cast<int32_t>(i)))]);
    }
    return marks;
}

TEST(MatchHighlightTest, MarksTheComparedWindowOfEachSide) {
    const std::vector<std::string> words1 = {"skip", "sha",   "shb",   "shc",     "alpha",
                                             "beta", "gamma", "delta", "epsilon", "tail"};
    const std::vector<std::string> words2 = {"alpha",   "beta", "other", "delta",
                                             "epsilon", "rest", "more",  "zeta"};
    struct Row {
        int32_t mode;
        int32_t positions;
        std::string side1;
        std::string side2;
    };
    // S1 = 1, S2 = 0, shift 3: mode 2 moves the 1st side's window, mode 1 the 2nd side's; a
    // window that would run past a list's end is cut on both sides.
    for (const Row& row : {Row{2, 5, "SSSSEEDEEU", "EEDEEUUU"}, Row{1, 5, "SDDDDDUUUU", "SSSDDDDD"},
                           Row{2, 9, "SSSSEEDEED", "EEDEEDUU"}}) {
        const MatchHighlight highlight =
            HighlightMatch(words1, words2, {1, 0}, row.mode, 3, row.positions);
        EXPECT_EQ(Marks(highlight, 0, words1.size()), row.side1) << row.mode << row.positions;
        EXPECT_EQ(Marks(highlight, 1, words2.size()), row.side2) << row.mode << row.positions;
    }
}

// A viewer that has only the compared words marks the same words as one that has the lists.
TEST(MatchHighlightTest, TheComparedWordsAloneGiveTheSameMarks) {
    const std::vector<std::string> words1 = {"skip", "alpha", "beta", "gamma", "delta", "tail"};
    const std::vector<std::string> words2 = {"alpha", "beta", "other", "delta", "more"};
    for (const int32_t mode : {1, 2}) {
        const MatchHighlight lists = HighlightMatch(words1, words2, {1, 0}, mode, 0, 4);
        std::string segment1;
        std::string segment2;
        for (int32_t i = 0; i < 4; ++i) {
            segment1 += words1[static_cast<size_t>(lists.first[0] + i)] + " ";
            segment2 += words2[static_cast<size_t>(lists.first[1] + i)] + " ";
        }
        const MatchHighlight segments = HighlightSegments(segment1, segment2, {1, 0}, mode, 0);
        EXPECT_EQ(Marks(segments, 0, words1.size()), Marks(lists, 0, words1.size())) << mode;
        EXPECT_EQ(Marks(segments, 1, words2.size()), Marks(lists, 1, words2.size())) << mode;
    }
    const MatchHighlight shifted = HighlightSegments("beta gamma ", "beta other ", {1, 0}, 2, 1);
    EXPECT_EQ(Marks(shifted, 0, 5), "SSEDU");
    EXPECT_EQ(Marks(shifted, 1, 3), "EDU");
}

}  // namespace
}  // namespace ravelin
