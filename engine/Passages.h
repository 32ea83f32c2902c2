#pragma once

// The passages two word lists share. A run is a stretch of at least K words equal in both lists,
// made as long as it goes; runs of one pair in the same order, with at most G differing words
// between them on either side, join into one passage while the passage stays at least 80 % equal
// words. Words of common text are equal to nothing.
//
// Which runs: the lists are covered from each side in turn. Walking one side's windows of K
// words from the left, a window that no run found so far holds and that the other side shares
// seeds the run through it and the other side's first such window. So every word that lies in a
// window of K words shared by the two lists is in a passage on both sides, repeated text being
// paired with the other side's first occurrence; and the work is linear, not the square of the
// length, however often a text repeats.

#include "engine/FlatKeyMap.h"
#include "engine/PassageRuns.h"
#include "engine/TracedReduction.h"

#include <cstdint>
#include <span>
#include <vector>

namespace ravelin {

// Everything two files share, for an output and for a view of both texts.
struct PairPassages {
    int32_t index1 = 0;  // in the 1st and the 2nd folder
    int32_t index2 = 0;
    std::vector<Passage> passages;  // by start1, then start2
    int32_t shared1 = 0;            // words of each file inside a passage
    int32_t shared2 = 0;
    int32_t total1 = 0;  // words of each file
    int32_t total2 = 0;
    int32_t percent1 = 0;  // shared words in whole per cents, rounded down
    int32_t percent2 = 0;
    int32_t longest = 0;  // the passage with the most equal words (the first of equals)
};

// The hash of each window of K words, from the words' own hashes (WordDictionary::HashOf); the
// same text gives the same hash in every file.
std::vector<uint64_t> WindowHashes(std::span<const uint64_t> wordHashes, int32_t k);

// Windows of K words whose text is common: never part of a passage.
class CommonWindows {
  public:
    void Add(uint64_t windowHash) { set_[Key(windowHash)] = 1; }
    bool Contains(uint64_t windowHash) const { return set_.Find(Key(windowHash)) != nullptr; }
    bool Empty() const { return set_.Size() == 0; }

  private:
    static uint64_t Key(uint64_t hash) { return hash == FlatKeyMap::kEmptyKey ? 0 : hash; }
    FlatKeyMap set_;
};

// Every word of a common window, by word: equal to nothing.
std::vector<bool> CommonWords(std::span<const uint64_t> windows, size_t words, int32_t minWords,
                              const CommonWindows& common);

// One side of a comparison: its words by number and its windows' hashes.
struct PassageText {
    std::span<const uint32_t> ids;
    std::span<const uint64_t> windows;  // WindowHashes of the words
};

// Finds the passages of one 2nd-folder text with any number of 1st-folder texts; what belongs to
// the 2nd-folder text alone is worked out once.
class PassageFinder {
  public:
    PassageFinder(PassageRules rules, const CommonWindows* common);

    void SetSecond(PassageText second);
    // Word indices only; the byte spans are left for the caller.
    std::vector<Passage> Find(PassageText first);
    // The runs that Find joins, in no order.
    std::vector<Run> PickedRuns(PassageText first);

  private:
    struct Side {
        PassageText text;
        std::vector<bool> common;         // by word
        std::vector<bool> usable;         // by window: no common word in it
        FlatKeyMap firstWindow;           // window hash -> 1 + first usable window
        std::vector<int32_t> nextWindow;  // 1 + next usable window of the same hash, or 0
    };
    void Prepare(Side& side, PassageText text) const;
    int32_t FirstShared(const Side& in, const Side& from, int32_t window) const;
    bool WordsEqual(int32_t i, int32_t j) const;
    Run RunThrough(int32_t i, int32_t j) const;
    void Cover(bool fromFirst, std::vector<Run>& runs) const;

    PassageRules rules_;
    const CommonWindows* common_;
    Side first_;
    Side second_;
};

// Counts, percentages and the longest passage of a pair whose passages are set.
void Summarise(PairPassages& pair);

}  // namespace ravelin
