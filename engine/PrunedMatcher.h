#pragma once

// The same first match as the literal try order, found without comparing most pairs.
//
// A match at a shift needs, at some equal position i >= N/2 of its window, at least T*i/100
// equal positions among the first i, so at least `minEqual` equal words at that shift. Those
// equal positions are words the two windows share, and runs of them are shared word pairs: with
// h equal positions among i there are at least 2h - i - 1 adjacent equal pairs. So a matching
// pair of files shares at least `overlap` tokens (word pairs where that bound is positive, else
// single words), counted with multiplicity. Ordering all tokens rarest first, two token sets
// that share `overlap` tokens share one among their first |set| - overlap + 1: an index over
// those prefixes of the 1st-folder files finds, for each 2nd-folder file, the few files that
// can match; each of them is then tried only at the shifts with enough equal words, in the try
// order, and the first that matches is compared once more with its texts.

#include "engine/FlatKeyMap.h"
#include "engine/ScanState.h"
#include "engine/SegmentMatcher.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ravelin {

struct PruneBounds {
    bool wordPairs = false;  // tokens are adjacent word pairs, not single words
    int32_t overlap = 1;     // tokens a matching pair shares at least
    int32_t minEqual = 1;    // equal positions a matching shift has at least
};

PruneBounds ComputePruneBounds(int32_t n, int32_t t);

// What every 2nd-folder file is looked up in; built once after the first pass, then read-only,
// so any number of threads can probe it.
class FirstFolderIndex {
  public:
    void Build(const FirstFolderTable& table, int32_t n, int32_t t);

    int32_t N() const { return n_; }
    int32_t T() const { return t_; }
    const PruneBounds& Bounds() const { return bounds_; }
    int32_t FileCount() const { return fileCount_; }

    // Occurrences of the token among the 1st-folder files (0: none).
    uint32_t Frequency(uint64_t token) const;
    // The 1st-folder files that have the token in their prefix.
    std::span<const int32_t> Postings(uint64_t token) const;

    struct RankedToken {
        uint32_t frequency;
        uint64_t token;
        bool operator<(const RankedToken& other) const {
            return frequency != other.frequency ? frequency < other.frequency : token < other.token;
        }
    };

    // The tokens of a window, each once per occurrence, rarest first.
    void SortedTokens(std::span<const uint32_t> ids, std::vector<RankedToken>& tokens) const;
    size_t PrefixLength(size_t tokenCount) const;

  private:
    int32_t n_ = 0;
    int32_t t_ = 0;
    int32_t fileCount_ = 0;
    PruneBounds bounds_;
    FlatKeyMap frequency_;
    FlatKeyMap postingsAt_;                // token -> index into postingRanges_
    std::vector<uint32_t> postingRanges_;  // begin of each token's postings, and the end
    std::vector<int32_t> postings_;
};

// One 2nd-folder file against the index; one per thread.
class PairProbe {
  public:
    explicit PairProbe(const FirstFolderIndex& index);

    // Finds the candidate files for a 2nd-folder window.
    void Begin(std::span<const uint32_t> ids2);
    // The 1st-folder files that may match, ascending.
    const std::vector<int32_t>& Candidates() const { return candidates_; }
    // The first try that reaches T for file k, as FindFirstMatch finds it.
    std::optional<MatchResult> Match(const SegmentSides& sides, int32_t k);

  private:
    bool IsCandidate(int32_t k) const { return stamp_[static_cast<size_t>(k)] == round_; }
    void CountEqualPerShift(std::span<const uint32_t> ids1);

    const FirstFolderIndex& index_;
    std::vector<uint32_t> stamp_;
    uint32_t round_ = 0;
    std::vector<int32_t> candidates_;
    std::vector<FirstFolderIndex::RankedToken> tokens_;
    // The 2nd-folder window's positions by word: a small table of chains.
    std::vector<uint32_t> slotWord_;
    std::vector<int32_t> slotFirst_;
    std::vector<int32_t> nextPosition_;
    std::vector<int32_t> equalAtShift_;  // index shift + N
};

}  // namespace ravelin
