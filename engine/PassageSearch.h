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
    std::span<const uint32_t> ids;  // its words by number
    std::vector<bool> common;       // by word; empty when no word is common
    WordSpans spans;
    // After the index is built, only when the text is also a 2nd-folder text.
    std::span<const Fingerprint> fingerprints;
};

struct SecondText {
    std::span<const uint32_t> ids;
    std::span<const uint64_t> hashes;  // of its words
    const std::vector<bool>* common;   // by word, or null when no word is common
    std::span<const Fingerprint> fingerprints;
};

struct PassagesWith {
    int32_t file;  // in the 1st folder
    std::vector<Passage> passages;
    // With SearchScope::mirror, of the same two files the other way round: `file` as the
    // 2nd-folder file, the text searched as the 1st.
    std::vector<Passage> mirrored;
};

// Which 1st-folder files a search looks at. In a scan of a folder with itself the pair of files
// i and f is the pair of f and i mirrored: the runs that two texts share, and which of them the
// covering picks, do not depend on which text is which, so a search may look only at the files
// from its own on and give the other way round too; only the joining is done for each.
struct SearchScope {
    int32_t fromFile = 0;  // files before it are left out
    bool mirror = false;   // give `mirrored` for the files after fromFile
};

// One for each worker: it keeps its scratch from one 2nd-folder text to the next.
class PassageSearch {
  public:
    PassageSearch(PassageRules rules, const PassageIndex& index, std::span<const IndexedText> files,
                  std::span<const uint64_t> wordHashes, const CommonWindows* common);

    // The 1st-folder files sharing a passage with `second`, in ascending order, with word
    // indices only.
    std::vector<PassagesWith> Find(const SecondText& second, SearchScope scope = {});
    // The 1st-folder files the index named for the last text, in ascending order.
    std::span<const int32_t> Candidates() const { return touched_; }
    // The files from `fromFile` on that the index names for a text with these fingerprints, in
    // no order.
    std::vector<int32_t> CandidatesFrom(std::span<const Fingerprint> fingerprints,
                                        int32_t fromFile);

  private:
    struct Keyed {
        uint32_t hash;
        int32_t index;  // among the text's fingerprints
    };

    struct Seed {
        uint64_t key;  // file and diagonal
        int32_t file;
        int32_t word;  // in the 1st-folder file
    };

    // The run found last in a file: most seeds that need no comparing lie in it, and this is
    // asked without a probe of reached_.
    struct LastRun {
        int32_t diagonal;
        int32_t reach;  // as in reached_
    };

    std::span<const Posting> PostingsFrom(uint32_t hash) const;
    void CountSeeds(const SecondText& second);
    void WalkSeeds(const SecondText& second);
    void GroupRunsByFile();
    Run RunThrough(const IndexedText& first, const SecondText& second, int32_t i, int32_t j) const;
    std::vector<Run> ByFinder(const IndexedText& first, const SecondText& second);

    PassageRules rules_;
    const PassageIndex& index_;
    std::span<const IndexedText> files_;
    std::span<const uint64_t> wordHashes_;

    std::vector<Keyed> sorted_;  // the text's fingerprints by hash
    // By fingerprint of the text: the places of its hash, looked up once for both walks.
    std::vector<std::span<const Posting>> postings_;
    std::vector<int64_t> seedCount_;  // by 1st-folder file; 0 past the files in touched_
    std::vector<int32_t> touched_;
    std::vector<uint8_t> byFinder_;  // by 1st-folder file
    std::vector<Seed> seeds_;        // of one fingerprint
    FlatKeyMap reached_;             // by file and diagonal: how far the runs found on it reach
    std::vector<LastRun> lastRun_;   // by 1st-folder file
    std::vector<std::pair<int32_t, Run>> runs_;  // maximal runs and their 1st-folder files
    std::vector<int32_t> slotOf_;                // by 1st-folder file: its place in touched_
    std::vector<Run> grouped_;                   // runs_, by place in touched_
    std::vector<int32_t> runStarts_;             // where each place's runs start in grouped_
    PassageFinder finder_;
    std::vector<uint64_t> secondWindows_;  // of the text searched, once the finder needs them
    bool finderHasSecond_ = false;
    int32_t fromFile_ = 0;
};

}  // namespace ravelin
