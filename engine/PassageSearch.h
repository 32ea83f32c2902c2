#pragma once

// The passages of one 2nd-folder text with every 1st-folder text, found from the index: each
// fingerprint the two share at aligned places is a seed, and the words are compared outward
// from it along its diagonal, so a pair costs what the two share, not the length of the texts.
// Every run of K equal words holds a seed (see PassageIndex.h), so every maximal run is found;
// the runs then give the passages as PassageRuns.h tells. A pair whose seeds would outnumber
// its words (text that repeats a phrase over and over) is compared by PassageFinder instead,
// which is linear in the words however the text repeats.

#include "engine/FlatKeyMap.h"
#include "engine/PassageIndex.h"
#include "engine/Passages.h"
#include "engine/WordSpans.h"

#include <cstdint>
#include <span>
#include <vector>

namespace ravelin {

// A 1st-folder text as a scan keeps it.
struct IndexedText {
    std::vector<uint32_t> ids;  // its words by number
    std::vector<bool> common;   // by word; empty when no word is common
    WordSpans spans;
};

struct SecondText {
    std::span<const uint32_t> ids;
    std::span<const uint64_t> windows;  // WindowHashes of its words
    const std::vector<bool>* common;    // by word, or null when no word is common
    std::span<const Fingerprint> fingerprints;
};

struct PassagesWith {
    int32_t file;  // in the 1st folder
    std::vector<Passage> passages;
};

// One for each worker: it keeps its scratch from one 2nd-folder text to the next.
class PassageSearch {
  public:
    PassageSearch(PassageRules rules, const PassageIndex& index, std::span<const IndexedText> files,
                  std::span<const uint64_t> wordHashes, const CommonWindows* common);

    // The 1st-folder files sharing a passage with `second`, in ascending order, with word
    // indices only.
    std::vector<PassagesWith> Find(const SecondText& second);
    // The 1st-folder files the index named for the last text.
    int64_t Candidates() const { return candidates_; }

  private:
    struct Group {
        uint32_t hash;
        int32_t begin;  // into the text's fingerprints, sorted by hash
        int32_t end;
    };

    struct Seed {
        uint64_t key;  // file and diagonal
        int32_t file;
        int32_t word;  // in the 1st-folder file
    };

    void CountSeeds(const SecondText& second);
    void WalkSeeds(const SecondText& second);
    void GroupRunsByFile();
    Run RunThrough(const IndexedText& first, const SecondText& second, int32_t i, int32_t j) const;
    std::vector<Passage> ByFinder(const IndexedText& first, const SecondText& second);

    PassageRules rules_;
    const PassageIndex& index_;
    std::span<const IndexedText> files_;
    std::span<const uint64_t> wordHashes_;

    std::vector<Fingerprint> sorted_;
    std::vector<Group> groups_;
    std::vector<int64_t> seedCount_;  // by 1st-folder file; 0 past the files in touched_
    std::vector<int32_t> touched_;
    std::vector<uint8_t> byFinder_;  // by 1st-folder file
    std::vector<Seed> seeds_;        // of one fingerprint
    FlatKeyMap reached_;             // by file and diagonal: how far the runs found on it reach
    std::vector<std::pair<int32_t, Run>> runs_;  // maximal runs and their 1st-folder files
    std::vector<int32_t> slotOf_;                // by 1st-folder file: its place in touched_
    std::vector<Run> grouped_;                   // runs_, by place in touched_
    std::vector<int32_t> runStarts_;             // where each place's runs start in grouped_
    PassageFinder finder_;
    bool finderHasSecond_ = false;
    int64_t candidates_ = 0;
};

}  // namespace ravelin
