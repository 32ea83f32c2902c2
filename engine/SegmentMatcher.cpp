#include "engine/SegmentMatcher.h"

namespace ravelin {
namespace {

void AppendWord(std::string& text, std::string_view word) {
    text.append(word);
    text.push_back(' ');
}

}  // namespace

int32_t CompareSegments(const SegmentSides& sides, int32_t intMode, int32_t intOffset, int32_t n,
                        int32_t t, SegmentTexts* texts) {
    if (texts != nullptr) {
        texts->strSegment1.clear();
        texts->strSegment2.clear();
    }
    const int32_t d = intOffset;
    const int32_t length = 2 * n - d;
    const size_t shift1 = intMode == 2 ? static_cast<size_t>(d) : 0;
    const size_t shift2 = intMode == 2 ? 0 : static_cast<size_t>(d);
    int32_t equal = 0;
    for (int32_t i = 1; i <= length; ++i) {
        const auto at = static_cast<size_t>(i - 1);
        const uint32_t a = sides.ids1[at + shift1];
        const uint32_t b = sides.ids2[at + shift2];
        if (texts != nullptr) {
            AppendWord(texts->strSegment2, sides.words2[at + shift2]);
            AppendWord(texts->strSegment1, sides.dictionary.Word(a));
        }
        if (a == b) {
            ++equal;
            if (2 * i >= n) {  // i >= N / 2 in real division
                const int32_t percent = equal * 100 / i;
                if (percent >= t) {
                    return percent;
                }
            }
        }
    }
    return length > 0 ? equal * 100 / length : 0;
}

std::optional<int32_t> PercentIfReached(const SegmentSides& sides, int32_t intMode,
                                        int32_t intOffset, int32_t n, int32_t t) {
    const int32_t length = 2 * n - intOffset;
    const size_t shift1 = intMode == 2 ? static_cast<size_t>(intOffset) : 0;
    const size_t shift2 = intMode == 2 ? 0 : static_cast<size_t>(intOffset);
    const uint32_t* ids1 = sides.ids1.data() + shift1;
    const uint32_t* ids2 = sides.ids2.data() + shift2;
    // The share at position i is at most (i - mismatches) / i, largest at the last position.
    int32_t mismatchesLeft = length - (t * length + 99) / 100;
    int32_t equal = 0;
    for (int32_t i = 1; i <= length; ++i) {
        if (ids1[i - 1] != ids2[i - 1]) {
            if (--mismatchesLeft < 0) {
                return std::nullopt;
            }
            continue;
        }
        ++equal;
        if (2 * i >= n && equal * 100 >= t * i) {
            return equal * 100 / i;
        }
    }
    return std::nullopt;
}

std::optional<MatchResult> FindFirstMatch(const SegmentSides& sides, int32_t n, int32_t t) {
    for (const int32_t mode : {2, 1}) {
        for (int32_t d = 0; d <= n; ++d) {
            const int32_t percent = CompareSegments(sides, mode, d, n, t, nullptr);
            if (percent >= t) {
                return MatchResult{percent, mode, d};
            }
        }
    }
    return std::nullopt;
}

SegmentWords::SegmentWords(std::string first, std::string second)
    : texts_(SegmentTexts{std::move(first), std::move(second)}) {}

SegmentWords::SegmentWords(const SegmentSides& sides, const MatchResult& match, int32_t n,
                           int32_t t)
    : sides_(sides), match_(match), n_(n), t_(t) {}

const SegmentTexts& SegmentWords::Texts() const {
    if (!texts_) {
        texts_.emplace();
        CompareSegments(*sides_, match_.mode, match_.offset, n_, t_, &*texts_);
    }
    return *texts_;
}

}  // namespace ravelin
