#pragma once

// The same first match as the literal try order, found without comparing most pairs.
//
// A match at a shift needs, at some equal position i >= N/2 of its window, at least T*i/100
// equal positions among the first i, so at least `minEqual` equal words at that shift; runs of
// them are equal word pairs at that shift: with h equal positions among i there are at least
// 2h - i - 1. So a match at a shift aligns at least `overlap` equal tokens (word pairs where that
// bound is positive, else single words). Ordering all tokens rarest first, the rarest of those
// aligned tokens lies among the first |window| - overlap + 1 tokens of each side (its prefix):
// an index holding every occurrence, with its position, of each token in the prefixes of the
// 1st-folder files gives, for each 2nd-folder file, the few files and the few shifts at which a
// match is possible; only those are compared, in the try order, and the first that reaches T is
// the match.

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
    void Build(const FirstFolderTable& table, int32_t n, int32_t t, int jobs = 1);

    int32_t N() const { return n_; }
    int32_t T() const { return t_; }
    const PruneBounds& Bounds() const { return bounds_; }
    int32_t FileCount() const { return fileCount_; }

    // Occurrences of the token among the 1st-folder files (0: none).
    uint32_t Frequency(uint64_t token) const;
    struct Posting {
        int32_t file;
        int32_t position;  // of the token's first word in the file's window
    };
    // The occurrences of the token in the 1st-folder files that have it in their prefix.
    std::span<const Posting> Postings(uint64_t token) const;

    struct RankedToken {
        uint32_t frequency;
        uint64_t token;
        int32_t position;
        bool operator<(const RankedToken& other) const {
            return frequency != other.frequency ? frequency < other.frequency : token < other.token;
        }
    };

    // The tokens of a window, each once per occurrence, rarest first.
    void SortedTokens(std::span<const uint32_t> ids, std::vector<RankedToken>& tokens) const;
    // The prefix of sorted tokens, with every further occurrence of its last token.
    size_t PrefixLength(std::span<const RankedToken> tokens) const;

  private:
    int32_t n_ = 0;
    int32_t t_ = 0;
    int32_t fileCount_ = 0;
    PruneBounds bounds_;
    FlatKeyMap frequency_;
    FlatKeyMap postingsAt_;                // token -> a: its postings end at postingRanges_[a]
    std::vector<uint32_t> postingRanges_;  // and begin at postingRanges_[a - 1]
    std::vector<Posting> postings_;
};

// One 2nd-folder file against the index; one per thread.
class PairProbe {
  public:
    explicit PairProbe(const FirstFolderIndex& index);

    // Finds the candidate files and shifts for a 2nd-folder window.
    void Begin(std::span<const uint32_t> ids2);
    // The 1st-folder files that may match, ascending.
    const std::vector<int32_t>& Candidates() const { return candidates_; }
    // The first try that reaches T for file k, as FindFirstMatch finds it.
    std::optional<MatchResult> Match(const SegmentSides& sides, int32_t k) const;

  private:
    std::span<uint64_t> TriesOf(int32_t k) {
        return {tries_.data() + static_cast<size_t>(k) * triesWords_, triesWords_};
    }

    const FirstFolderIndex& index_;
    std::vector<int32_t> candidates_;
    std::vector<FirstFolderIndex::RankedToken> tokens_;
    // For each 1st-folder file, the tries worth making as bits in the try order; only the
    // candidates' bits are ever set, and they are cleared at the next file.
    size_t triesWords_;
    std::vector<uint64_t> tries_;
    std::vector<uint8_t> isCandidate_;
};

}  // namespace ravelin
