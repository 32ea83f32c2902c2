#include "engine/ScanState.h"
#include "engine/SegmentMatcher.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace ravelin {
namespace {

// Two word lists held the way a scan holds them.
class Pair {
  public:
    Pair(const std::vector<std::string>& words1, const std::vector<std::string>& words2)
        : words2_(words2) {
        for (const std::string& w : words1) {
            ids1_.push_back(dictionary_.Intern(w));
        }
        for (const std::string& w : words2) {
            ids2_.push_back(dictionary_.Find(w));
        }
    }
    SegmentSides Sides() const { return SegmentSides{ids1_, ids2_, dictionary_, words2_}; }

  private:
    WordDictionary dictionary_;
    std::vector<uint32_t> ids1_;
    std::vector<uint32_t> ids2_;
    std::vector<std::string> words2_;
};

// The comparison re-derived from its description, on the strings, 1-based.
struct Derived {
    int32_t percent;
    std::string segment1;
    std::string segment2;
};

Derived Derive(const std::vector<std::string>& w1, const std::vector<std::string>& w2, int mode,
               int d, int n, int t) {
    Derived out{0, "", ""};
    int equal = 0;
    const int length = 2 * n - d;
    for (int i = 1; i <= length; ++i) {
        const std::string& a = mode == 2 ? w1[i + d - 1] : w1[i - 1];
        const std::string& b = mode == 2 ? w2[i - 1] : w2[i + d - 1];
        out.segment1 += a + " ";
        out.segment2 += b + " ";
        if (a == b) {
            ++equal;
            if (static_cast<double>(i) >= n / 2.0 && static_cast<int>(equal * 100.0 / i) >= t) {
                out.percent = static_cast<int>(equal * 100.0 / i);
                return out;
            }
        }
    }
    out.percent = static_cast<int>(equal * 100.0 / length);
    return out;
}

std::vector<std::string> RandomWords(std::mt19937& random, int count, int vocabulary) {
    std::uniform_int_distribution<int> pick(0, vocabulary - 1);
    std::vector<std::string> words;
    for (int i = 0; i < count; ++i) {
        words.push_back("w" + std::to_string(pick(random)));
    }
    return words;
}

TEST(SegmentMatcher, EveryShiftAgreesWithTheDescriptionOnRandomWords) {
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        const int n = 20 + round % 7;
        const int t = 50 + (round * 13) % 51;
        const auto w1 = RandomWords(random, 2 * n, 2 + round % 4);
        auto w2 = RandomWords(random, 2 * n, 2 + round % 4);
        w2[static_cast<size_t>(round % (2 * n))] = "only-in-second";
        const Pair pair(w1, w2);
        for (const int mode : {2, 1}) {
            for (int d = 0; d <= n; ++d) {
                SegmentTexts texts;
                const int32_t percent = CompareSegments(pair.Sides(), mode, d, n, t, &texts);
                const Derived expected = Derive(w1, w2, mode, d, n, t);
                ASSERT_EQ(percent, expected.percent) << round << " " << mode << " " << d;
                ASSERT_EQ(texts.strSegment1, expected.segment1);
                ASSERT_EQ(texts.strSegment2, expected.segment2);
                ASSERT_EQ(CompareSegments(pair.Sides(), mode, d, n, t, nullptr), percent);
                ASSERT_EQ(PercentIfReached(pair.Sides(), mode, d, n, t),
                          percent >= t ? std::optional<int32_t>(percent) : std::nullopt);
            }
        }
    }
}

TEST(ScanState, TablesReadAsTheScanStoredThem) {
    ScanState state;
    state.intNumWordsToCompare = 1;
    state.table1.Dimension(2, 2);
    const uint32_t ids[] = {state.dictionary.Intern("alpha"), state.dictionary.Intern("beta")};
    state.table1.Store(0, "a.txt", ids);
    state.table1.StoreTooSmall(1, "b.txt");
    EXPECT_EQ(state.strWords1(0, 0), "a.txt");
    EXPECT_EQ(state.strWords1(2, 0), "beta");
    EXPECT_EQ(state.strWords1(0, 1), "b.txt");
    EXPECT_EQ(state.strWords1(1, 1), "file too small");
    EXPECT_EQ(state.strWords1(2, 1), "");

    const std::vector<std::string> reduced = {"skip", "beta", "gamma", "rest"};
    state.words2.Assign("c.txt", reduced, 1, 2, state.dictionary);
    EXPECT_EQ(state.strWords2(0), "c.txt");
    EXPECT_EQ(state.strWords2(2), "gamma");
    EXPECT_EQ(state.words2.ids[1], WordDictionary::kUnknown);
    // Mode 1, d = 1: alpha against gamma; nothing equal in a window of one.
    EXPECT_EQ(state.CompareSegments(0, 1, 1), 0);
    EXPECT_EQ(state.segments.strSegment1, "alpha ");
    EXPECT_EQ(state.segments.strSegment2, "gamma ");
}

}  // namespace
}  // namespace ravelin
