#pragma once

// The second pass on several threads: workers read, reduce and match the 2nd-folder files ahead
// of the driver, a bounded number of files ahead, and the driver takes each file's result in its
// own order, so the report is the one a single thread writes.

#include "engine/PrunedMatcher.h"
#include "engine/SecondPass.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace ravelin {

class ParallelSecondPass final : public SecondPass {
  public:
    explicit ParallelSecondPass(int jobs);
    ParallelSecondPass(const ParallelSecondPass&) = delete;
    ParallelSecondPass& operator=(const ParallelSecondPass&) = delete;
    ~ParallelSecondPass() override;

    void Begin(const ScanState& state, const SecondFolder& folder) override;
    FileLoad LoadFile(ScanState& state, int32_t j) override;
    std::optional<MatchResult> Match(ScanState& state, int32_t k) override;
    void End() override;

  private:
    struct FileResult {
        bool ready = false;
        bool usable = false;
        std::optional<Error> readError;
        SecondFileWords words;
        std::vector<std::pair<int32_t, MatchResult>> matches;  // ascending file numbers
    };

    void Work();
    bool ClaimNext(int32_t& j);
    void Compute(int32_t j, PairProbe& probe, std::vector<std::string>& scratch,
                 FileResult& result) const;
    FileResult& Slot(int32_t j) { return window_[static_cast<size_t>(j) % window_.size()]; }

    int jobs_;
    const ScanState* state_ = nullptr;
    SecondFolder folder_;
    FirstFolderIndex index_;

    std::mutex mutex_;
    std::condition_variable resultReady_;
    std::condition_variable spaceFree_;
    std::vector<FileResult> window_;
    int32_t nextToClaim_ = 0;
    int32_t taken_ = 0;  // files up to here were taken by the driver
    bool stopping_ = false;
    std::vector<std::thread> workers_;

    FileResult current_;
    size_t nextMatch_ = 0;
};

}  // namespace ravelin
