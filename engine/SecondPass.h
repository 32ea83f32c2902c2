#pragma once

// How the second pass of a scan gets each 2nd-folder file's words and its matches with the files
// of the 1st folder. The driver asks in its own order and yields between the questions; an
// implementation may answer from work it did ahead, on other threads.

#include "engine/ScanState.h"
#include "engine/SegmentMatcher.h"
#include "files/Result.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ravelin {

// Decides one pair; the pruned matcher may first learn the 1st folder and each 2nd-folder file.
class PairMatcher {
  public:
    virtual ~PairMatcher() = default;
    virtual void Prepare(const ScanState& /*state*/) {}
    virtual void BeginFile(const ScanState& /*state*/) {}
    virtual std::optional<MatchResult> Match(const ScanState& state, int32_t k) = 0;
};

// Every try of the try order, pair by pair.
class LiteralPairMatcher final : public PairMatcher {
  public:
    std::optional<MatchResult> Match(const ScanState& state, int32_t k) override;
};

struct SecondFolder {
    std::string path;
    std::vector<std::string> names;
    int32_t skip = 0;  // S2
};

struct FileLoad {
    bool usable = false;
    std::optional<Error> readError;  // why the file could not be read, if it could not
};

// Reads 2nd-folder file `name`, reduces it and keeps its 2N words after the skipped ones in
// `words`, numbered by the 1st folder's dictionary; not usable with fewer than 2N + S2 words.
FileLoad LoadSecondFile(const SecondFolder& folder, const std::string& name, int32_t n,
                        const WordDictionary& dictionary, std::vector<std::string>& scratch,
                        SecondFileWords& words);

class SecondPass {
  public:
    virtual ~SecondPass() = default;
    // The 1st-folder table is complete and the 2nd folder listed.
    virtual void Begin(const ScanState& state, const SecondFolder& folder) = 0;
    // Fills state.words2 with file j; not usable when it has fewer than 2N + S2 words.
    virtual FileLoad LoadFile(ScanState& state, int32_t j) = 0;
    // The match of 1st-folder file k (not too small) with the loaded file.
    virtual std::optional<MatchResult> Match(ScanState& state, int32_t k) = 0;
    virtual void End() {}
};

// Literal pair by pair, pruned on one thread, or pruned on `jobs` threads.
std::unique_ptr<SecondPass> MakeSecondPass(bool literal, int jobs);

// Reads each file when the driver asks for it and decides each pair when asked.
class SequentialSecondPass final : public SecondPass {
  public:
    explicit SequentialSecondPass(std::unique_ptr<PairMatcher> matcher)
        : matcher_(std::move(matcher)) {}

    void Begin(const ScanState& state, const SecondFolder& folder) override;
    FileLoad LoadFile(ScanState& state, int32_t j) override;
    std::optional<MatchResult> Match(ScanState& state, int32_t k) override;

  private:
    std::unique_ptr<PairMatcher> matcher_;
    SecondFolder folder_;
    std::vector<std::string> words_;
};

}  // namespace ravelin
