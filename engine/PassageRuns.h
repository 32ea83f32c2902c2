#pragma once

// From the runs two word lists share to their passages. A run is a stretch of equal words on
// one diagonal, made as long as it goes. Which runs become passages: each side is covered in
// turn, walking its windows of K words from the left; a window that no run picked so far on that
// side holds, and that lies in some run, picks the run that holds it with the other side's
// first such window. The picked runs then join in order over small gaps.

#include "engine/TracedReduction.h"

#include <cstdint>
#include <tuple>
#include <vector>

namespace ravelin {

struct PassageRules {
    int32_t minWords = 15;  // K
    int32_t maxGap = 3;     // G
};

inline constexpr int32_t kPassageMinWordsLow = 5;
inline constexpr int32_t kPassageMinWordsHigh = 100;
inline constexpr int32_t kPassageMaxGapLow = 0;
inline constexpr int32_t kPassageMaxGapHigh = 10;

// Word indices are 0-based and ends exclusive; the byte spans are in the files as stored.
struct Passage {
    int32_t start1 = 0;
    int32_t end1 = 0;
    int32_t start2 = 0;
    int32_t end2 = 0;
    int32_t equal = 0;  // words equal in both, the sum of the passage's runs
    ByteSpan bytes1;
    ByteSpan bytes2;

    bool operator==(const Passage&) const = default;
};

struct Run {
    int32_t start1;
    int32_t start2;
    int32_t length;
    bool operator<(const Run& other) const {
        return std::tie(start1, start2, length) <
               std::tie(other.start1, other.start2, other.length);
    }
    bool operator==(const Run&) const = default;
};

// The runs the covering of both sides picks from every maximal run of at least K words of a
// pair (each given once, in any order).
std::vector<Run> PickedRuns(std::vector<Run> maximal, int32_t minWords);

// Runs of one pair, in the same order with at most G words between them on either side, joined
// while a passage stays at least 80 % equal words; by start1, then start2.
std::vector<Passage> JoinRuns(std::vector<Run> runs, int32_t maxGap);

}  // namespace ravelin
