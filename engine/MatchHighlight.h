#pragma once

// Which words of a matched pair the comparison looked at, so that a viewer can mark them: per
// side the words skipped before the compared window, the window itself, and for each compared
// position whether the two words were equal.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

enum class WordMark { Skipped, Equal, Different, Unused };

struct MatchHighlight {
    // Per side (0: 1st folder, 1: 2nd folder), the compared words [first, last) of its word list.
    std::array<int32_t, 2> first = {0, 0};
    std::array<int32_t, 2> last = {0, 0};
    std::vector<bool> equal;  // per compared position

    WordMark Mark(int side, int32_t index) const;
};

// The windows of one comparison: side 1 starts after skip1 words, side 2 after skip2, and the side
// that mode names (2: the 1st-folder side, 1: the 2nd) `shift` words later still. Positions beyond
// either list's end are dropped, as when a file changed since the scan.
MatchHighlight HighlightMatch(const std::vector<std::string>& words1,
                              const std::vector<std::string>& words2,
                              const std::array<int32_t, 2>& skips, int32_t mode, int32_t shift,
                              int32_t positions);

// The same marks from the words the scan compared (each followed by one space, as a match
// carries them), for a viewer that does not hold the files' whole word lists.
MatchHighlight HighlightSegments(std::string_view segment1, std::string_view segment2,
                                 const std::array<int32_t, 2>& skips, int32_t mode, int32_t shift);

}  // namespace ravelin
