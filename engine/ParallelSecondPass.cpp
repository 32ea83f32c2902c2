#include "engine/ParallelSecondPass.h"

namespace ravelin {

ParallelSecondPass::ParallelSecondPass(int jobs) : jobs_(jobs > 0 ? jobs : 1) {}

ParallelSecondPass::~ParallelSecondPass() {
    End();
}

void ParallelSecondPass::Begin(const ScanState& state, const SecondFolder& folder) {
    state_ = &state;
    folder_ = folder;
    index_.Build(state.table1, state.intNumWordsToCompare, state.intMatchThreshold);
    // Enough files ahead to keep every worker busy while the driver reports, few enough that a
    // folder of files matching everything does not fill the memory.
    window_.assign(8 * static_cast<size_t>(jobs_), FileResult());
    nextToClaim_ = 0;
    taken_ = 0;
    stopping_ = false;
    for (int i = 0; i < jobs_; ++i) {
        workers_.emplace_back([this] { Work(); });
    }
}

void ParallelSecondPass::End() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    spaceFree_.notify_all();
    resultReady_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
    workers_.clear();
}

bool ParallelSecondPass::ClaimNext(int32_t& j) {
    std::unique_lock lock(mutex_);
    const auto files = static_cast<int32_t>(folder_.names.size());
    spaceFree_.wait(lock, [this, files] {
        return stopping_ || nextToClaim_ >= files ||
               nextToClaim_ < taken_ + static_cast<int32_t>(window_.size());
    });
    if (stopping_ || nextToClaim_ >= files) {
        return false;
    }
    j = nextToClaim_++;
    return true;
}

void ParallelSecondPass::Work() {
    PairProbe probe(index_);
    std::vector<std::string> scratch;
    int32_t j = 0;
    while (ClaimNext(j)) {
        FileResult result;
        Compute(j, probe, scratch, result);
        {
            const std::lock_guard lock(mutex_);
            result.ready = true;
            Slot(j) = std::move(result);
        }
        resultReady_.notify_all();
    }
}

void ParallelSecondPass::Compute(int32_t j, PairProbe& probe, std::vector<std::string>& scratch,
                                 FileResult& result) const {
    FileLoad load =
        LoadSecondFile(folder_, folder_.names[static_cast<size_t>(j)], state_->intNumWordsToCompare,
                       state_->dictionary, scratch, result.words);
    result.usable = load.usable;
    result.readError = std::move(load.readError);
    if (!result.usable) {
        return;
    }
    probe.Begin(result.words.ids);
    for (const int32_t k : probe.Candidates()) {
        const SegmentSides sides{state_->table1.Ids(k), result.words.ids, state_->dictionary,
                                 result.words.words};
        if (auto match = probe.Match(sides, k)) {
            result.matches.emplace_back(k, std::move(*match));
        }
    }
}

FileLoad ParallelSecondPass::LoadFile(ScanState& state, int32_t j) {
    {
        std::unique_lock lock(mutex_);
        resultReady_.wait(lock, [this, j] { return Slot(j).ready; });
        current_ = std::move(Slot(j));
        Slot(j) = FileResult();
        taken_ = j + 1;
    }
    spaceFree_.notify_all();
    nextMatch_ = 0;
    // A file too small leaves the words of the last usable one, as the sequential pass does.
    if (current_.usable) {
        state.words2 = std::move(current_.words);
    }
    state.words2.name = folder_.names[static_cast<size_t>(j)];
    return FileLoad{current_.usable, std::move(current_.readError)};
}

std::optional<MatchResult> ParallelSecondPass::Match(ScanState& /*state*/, int32_t k) {
    while (nextMatch_ < current_.matches.size() && current_.matches[nextMatch_].first < k) {
        ++nextMatch_;
    }
    if (nextMatch_ < current_.matches.size() && current_.matches[nextMatch_].first == k) {
        return std::move(current_.matches[nextMatch_++].second);
    }
    return std::nullopt;
}

}  // namespace ravelin
