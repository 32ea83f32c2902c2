#pragma once

// The comparison of two files' test segments under one shift, and the order in which a scan
// tries the shifts for one pair of files.

#include "engine/WordDictionary.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace ravelin {

// The 2N words of each side after the skipped ones: the 1st-folder side by number, the 2nd-folder
// side by number (WordDictionary::kUnknown for a word the 1st folder does not have) and as text.
struct SegmentSides {
    std::span<const uint32_t> ids1;
    std::span<const uint32_t> ids2;
    const WordDictionary& dictionary;
    std::span<const std::string> words2;
};

// The words of the last comparison, each followed by one space.
struct SegmentTexts {
    std::string strSegment1;
    std::string strSegment2;
};

// Similarity in per cent of the two windows under shift intOffset; intMode 2 shifts the
// 1st-folder side, any other mode the 2nd-folder side. Decides early, at the first equal position
// from half a segment on whose running share reaches T. Fills texts when it is given.
int32_t CompareSegments(const SegmentSides& sides, int32_t intMode, int32_t intOffset, int32_t n,
                        int32_t t, SegmentTexts* texts);

// CompareSegments' result when it reaches T, else nothing; gives up as soon as the mismatches
// seen leave no position at which T could still be reached.
std::optional<int32_t> PercentIfReached(const SegmentSides& sides, int32_t intMode,
                                        int32_t intOffset, int32_t n, int32_t t);

struct MatchResult {
    int32_t percent = 0;
    int32_t mode = 0;
    int32_t offset = 0;
};

// The first try that reaches T, in the scan's order: mode 2 with d = 0..N, then mode 1 with
// d = 0..N.
std::optional<MatchResult> FindFirstMatch(const SegmentSides& sides, int32_t n, int32_t t);

// The words a match compared, made only when someone asks: most matches of a large scan are
// written as names and numbers alone.
class SegmentWords {
  public:
    SegmentWords(std::string first, std::string second);
    // The sides must outlive this.
    SegmentWords(const SegmentSides& sides, const MatchResult& match, int32_t n, int32_t t);

    const std::string& First() const { return Texts().strSegment1; }
    const std::string& Second() const { return Texts().strSegment2; }

  private:
    const SegmentTexts& Texts() const;

    std::optional<SegmentSides> sides_;
    MatchResult match_;
    int32_t n_ = 0;
    int32_t t_ = 0;
    mutable std::optional<SegmentTexts> texts_;
};

}  // namespace ravelin
