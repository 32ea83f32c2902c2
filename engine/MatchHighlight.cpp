#include "engine/MatchHighlight.h"

#include <algorithm>

namespace ravelin {

WordMark MatchHighlight::Mark(int side, int32_t index) const {
    const auto s = static_cast<size_t>(side);
    if (index < first[s]) {
        return WordMark::Skipped;
    }
    if (index >= last[s]) {
        return WordMark::Unused;
    }
    return equal[static_cast<size_t>(index - first[s])] ? WordMark::Equal : WordMark::Different;
}

namespace {

// Where a side's compared window begins: after its skipped words, and `shift` later still on
// the side that the mode shifts.
int32_t WindowStart(size_t side, const std::array<int32_t, 2>& skips, int32_t mode, int32_t shift) {
    const bool shifted = (side == 0) == (mode == 2);
    return skips[side] + (shifted ? shift : 0);
}

std::vector<std::string_view> SegmentWordList(std::string_view segment) {
    std::vector<std::string_view> words;
    for (size_t start = 0, space = segment.find(' '); space != std::string_view::npos;
         start = space + 1, space = segment.find(' ', start)) {
        words.push_back(segment.substr(start, space - start));
    }
    return words;
}

}  // namespace

MatchHighlight HighlightSegments(std::string_view segment1, std::string_view segment2,
                                 const std::array<int32_t, 2>& skips, int32_t mode, int32_t shift) {
    const std::vector<std::string_view> words1 = SegmentWordList(segment1);
    const std::vector<std::string_view> words2 = SegmentWordList(segment2);
    const size_t compared = std::min(words1.size(), words2.size());
    MatchHighlight result;
    for (size_t side = 0; side < 2; ++side) {
        result.first[side] = WindowStart(side, skips, mode, shift);
        result.last[side] = result.first[side] + static_cast<int32_t>(compared);
    }
    for (size_t i = 0; i < compared; ++i) {
        result.equal.push_back(words1[i] == words2[i]);
    }
    return result;
}

MatchHighlight HighlightMatch(const std::vector<std::string>& words1,
                              const std::vector<std::string>& words2,
                              const std::array<int32_t, 2>& skips, int32_t mode, int32_t shift,
                              int32_t positions) {
    MatchHighlight result;
    const std::array<const std::vector<std::string>*, 2> lists = {&words1, &words2};
    int32_t compared = std::max(positions, 0);
    for (size_t side = 0; side < 2; ++side) {
        const auto size = static_cast<int32_t>(lists[side]->size());
        result.first[side] = std::min(WindowStart(side, skips, mode, shift), size);
        compared = std::min(compared, size - result.first[side]);
    }
    for (size_t side = 0; side < 2; ++side) {
        result.last[side] = result.first[side] + compared;
    }
    for (int32_t i = 0; i < compared; ++i) {
        const int32_t at1 = result.first[0] + i;
        const int32_t at2 = result.first[1] + i;
        result.equal.push_back(words1[static_cast<size_t>(at1)] ==
                               words2[static_cast<size_t>(at2)]);
    }
    return result;
}

}  // namespace ravelin
