#pragma once

// The second pass's work on each 2nd-folder file: read it, reduce it and find its matches with
// the files of the 1st folder, on as many threads as the scan has jobs, a bounded number of files
// ahead of the scan, which takes the files in order and reports them.

#include "engine/OrderedWork.h"
#include "engine/PrunedMatcher.h"
#include "engine/ScanState.h"
#include "engine/SegmentMatcher.h"
#include "files/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ravelin {

struct SecondFolder {
    std::string path;
    std::vector<std::string> names;
    int32_t skip = 0;  // S2
};

struct PairMatch {
    int32_t k;  // the 1st-folder file
    MatchResult result;
};

struct SecondFile {
    bool usable = false;  // it has 2N + S2 words
    std::optional<Error> readError;
    SecondFileWords words;
    std::vector<PairMatch> matches;  // ascending k
};

// Reads 2nd-folder file `name`, reduces it and keeps its 2N words after the skipped ones in
// `words`, numbered by the 1st folder's dictionary.
SecondFile LoadSecondFile(const SecondFolder& folder, const std::string& name, int32_t n,
                          const WordDictionary& dictionary, std::vector<std::string>& scratch);

class SecondPass {
  public:
    // The 1st-folder table is complete and stays as it is while the pass lasts. The literal
    // comparison tries every pair in the try order, on one thread; the pruned one asks an index
    // of the 1st folder for the few files that can match.
    SecondPass(const ScanState& state, SecondFolder folder, bool literal, int jobs);

    // File j of the 2nd folder, for j = 0, 1, 2...
    SecondFile Take(int32_t j) { return work_.Take(j); }

  private:
    OrderedWork<SecondFile>::Compute MakeWorker() const;

    const ScanState& state_;
    const SecondFolder folder_;
    const bool literal_;
    FirstFolderIndex index_;
    OrderedWork<SecondFile> work_;
};

}  // namespace ravelin
