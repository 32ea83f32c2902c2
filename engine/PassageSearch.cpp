#include "engine/PassageSearch.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace ravelin {
namespace {

// More seeds than this, for a pair of these lengths, and the pair is cheaper compared whole.
int64_t SeedBudget(size_t words1, size_t words2) {
    return 4 * static_cast<int64_t>(words1 + words2) + 64;
}

bool IsCommon(const std::vector<bool>* marks, int32_t word) {
    return marks != nullptr && !marks->empty() && (*marks)[static_cast<size_t>(word)];
}

}  // namespace

PassageSearch::PassageSearch(PassageRules rules, const PassageIndex& index,
                             std::span<const IndexedText> files,
                             std::span<const uint64_t> wordHashes, const CommonWindows* common)
    : rules_(rules),
      index_(index),
      files_(files),
      wordHashes_(wordHashes),
      seedCount_(files.size(), 0),
      byFinder_(files.size(), 0),
      lastRun_(files.size(), LastRun{0, 0}),
      slotOf_(files.size(), 0),
      finder_(rules, common) {}

std::span<const Posting> PassageSearch::PostingsFrom(uint32_t hash) const {
    const std::span<const Posting> all = index_.Postings(hash);
    if (fromFile_ == 0) {
        return all;
    }
    const auto from = std::partition_point(all.begin(), all.end(),
                                           [this](const Posting& p) { return p.file < fromFile_; });
    return {from, all.end()};
}

std::vector<int32_t> PassageSearch::CandidatesFrom(std::span<const Fingerprint> fingerprints,
                                                   int32_t fromFile) {
    fromFile_ = fromFile;
    std::vector<int32_t> files;
    for (const Fingerprint& fingerprint : fingerprints) {
        for (const Posting& posting : PostingsFrom(fingerprint.hash)) {
            uint8_t& seen = byFinder_[static_cast<size_t>(posting.file)];
            if (seen == 0) {
                seen = 1;
                files.push_back(posting.file);
            }
        }
    }
    for (const int32_t file : files) {
        byFinder_[static_cast<size_t>(file)] = 0;
    }
    return files;
}

// The seeds each 1st-folder file would give, without making them: a hash found c1 times in a
// file and c2 times in the text gives c1 * c2.
void PassageSearch::CountSeeds(const SecondText& second) {
    for (const int32_t file : touched_) {
        seedCount_[static_cast<size_t>(file)] = 0;
        byFinder_[static_cast<size_t>(file)] = 0;
        lastRun_[static_cast<size_t>(file)] = LastRun{0, 0};
    }
    touched_.clear();
    const std::span<const Fingerprint> fingerprints = second.fingerprints;
    sorted_.resize(fingerprints.size());
    for (size_t f = 0; f < fingerprints.size(); ++f) {
        sorted_[f] = Keyed{fingerprints[f].hash, static_cast<int32_t>(f)};
    }
    std::sort(sorted_.begin(), sorted_.end(), [](const Keyed& a, const Keyed& b) {
        return std::tie(a.hash, a.index) < std::tie(b.hash, b.index);
    });
    postings_.resize(fingerprints.size());
    constexpr size_t kBucketsAhead = 16;
    constexpr size_t kPostingsAhead = 8;
    for (size_t i = 0; i < sorted_.size();) {
        if (i + kBucketsAhead < sorted_.size()) {
            index_.PrefetchBucket(sorted_[i + kBucketsAhead].hash);
        }
        if (i + kPostingsAhead < sorted_.size()) {
            index_.PrefetchPostings(sorted_[i + kPostingsAhead].hash);
        }
        size_t j = i;
        while (j < sorted_.size() && sorted_[j].hash == sorted_[i].hash) {
            ++j;
        }
        const std::span<const Posting> postings = PostingsFrom(sorted_[i].hash);
        for (size_t t = i; t < j; ++t) {
            postings_[static_cast<size_t>(sorted_[t].index)] = postings;
        }
        const auto times = static_cast<int64_t>(j - i);
        for (const Posting& posting : postings) {
            int64_t& count = seedCount_[static_cast<size_t>(posting.file)];
            if (count == 0) {
                touched_.push_back(posting.file);
            }
            count += times;
        }
        i = j;
    }
    std::sort(touched_.begin(), touched_.end());
    const size_t words2 = second.ids.size();
    for (const int32_t file : touched_) {
        const size_t words1 = files_[static_cast<size_t>(file)].ids.size();
        byFinder_[static_cast<size_t>(file)] =
            seedCount_[static_cast<size_t>(file)] > SeedBudget(words1, words2) ? 1 : 0;
    }
}

// The stretch of equal words on the diagonal through (i, j), as long as it goes; empty when the
// words there differ.
Run PassageSearch::RunThrough(const IndexedText& first, const SecondText& second, int32_t i,
                              int32_t j) const {
    const std::vector<bool>* common1 = first.common.empty() ? nullptr : &first.common;
    const auto n1 = static_cast<int32_t>(first.ids.size());
    const auto n2 = static_cast<int32_t>(second.ids.size());
    const uint32_t* words1 = first.ids.data();
    const uint32_t* words2 = second.ids.data();
    if (common1 == nullptr && second.common == nullptr) {
        // Most pairs have no common text, and shared text is long: the words are compared as
        // plain numbers, whole blocks of them at once going forward.
        if (words1[i] != words2[j]) {
            return Run{i, j, 0};
        }
        while (i > 0 && j > 0 && words1[i - 1] == words2[j - 1]) {
            --i;
            --j;
        }
        constexpr int32_t kBlock = 16;
        int32_t length = 0;
        while (i + length + kBlock <= n1 && j + length + kBlock <= n2 &&
               std::memcmp(words1 + i + length, words2 + j + length, kBlock * sizeof(uint32_t)) ==
                   0) {
            length += kBlock;
        }
        while (i + length < n1 && j + length < n2 && words1[i + length] == words2[j + length]) {
            ++length;
        }
        return Run{i, j, length};
    }
    auto equal = [&](int32_t p, int32_t q) {
        return words1[p] == words2[q] && !IsCommon(common1, p) && !IsCommon(second.common, q);
    };
    if (!equal(i, j)) {
        return Run{i, j, 0};
    }
    while (i > 0 && j > 0 && equal(i - 1, j - 1)) {
        --i;
        --j;
    }
    int32_t length = 0;
    while (i + length < n1 && j + length < n2 && equal(i + length, j + length)) {
        ++length;
    }
    return Run{i, j, length};
}

// Walks the text's fingerprints in text order, each place of its hash in a 1st-folder file a
// seed on a diagonal of the pair; the words are compared outward from a seed unless a run found
// before on that diagonal already reaches past it. Gives each pair's maximal runs of at least K
// equal words, each once, by file.
void PassageSearch::WalkSeeds(const SecondText& second) {
    runs_.clear();
    reached_.Clear();
    const auto n2 = static_cast<int32_t>(second.ids.size());
    for (size_t f = 0; f < second.fingerprints.size(); ++f) {
        const int32_t word2 = second.fingerprints[f].word;
        // The seeds of one fingerprint lie on distinct diagonals, so none of them can reach
        // another's: all are chosen first and their words asked for from memory at once, which
        // hides the wait for words scattered over the whole 1st folder.
        seeds_.clear();
        for (const Posting& posting : postings_[f]) {
            if (byFinder_[static_cast<size_t>(posting.file)] != 0) {
                continue;
            }
            const int32_t diagonal = posting.word - word2;
            const LastRun& last = lastRun_[static_cast<size_t>(posting.file)];
            // 1 + the 2nd-side end of the run found on the diagonal
            if (last.diagonal == diagonal && last.reach > word2) {
                continue;
            }
            const uint64_t key =
                (static_cast<uint64_t>(posting.file) << 32) | static_cast<uint32_t>(diagonal);
            const uint32_t* reached = reached_.Find(key);
            if (reached != nullptr && static_cast<int64_t>(*reached) > word2) {
                continue;
            }
            __builtin_prefetch(
                &files_[static_cast<size_t>(posting.file)].ids[static_cast<size_t>(posting.word)]);
            seeds_.push_back(Seed{key, posting.file, posting.word});
        }
        for (const Seed& seed : seeds_) {
            const IndexedText& first = files_[static_cast<size_t>(seed.file)];
            const Run run = RunThrough(first, second, seed.word, word2);
            if (run.length == 0) {
                continue;  // hashes alike, words not
            }
            const int32_t reach = std::min(run.start2 + run.length + 1, n2 + 1);
            if (reached_.Full()) {
                // The walk goes on at word2 or later, so a run that ends before it skips nothing
                // any more: a text that shares thousands of short runs with each of hundreds of
                // files keeps only the runs still ahead, not every run it found.
                reached_.Retain([word2](uint32_t r) { return static_cast<int64_t>(r) > word2; });
            }
            reached_[seed.key] = static_cast<uint32_t>(reach);
            lastRun_[static_cast<size_t>(seed.file)] = LastRun{seed.word - word2, reach};
            if (run.length >= rules_.minWords) {
                runs_.emplace_back(seed.file, run);
            }
        }
    }
    GroupRunsByFile();
}

// The runs of a file may come in any order, so they are counted into place by file, in the
// order of touched_, rather than sorted.
void PassageSearch::GroupRunsByFile() {
    for (size_t t = 0; t < touched_.size(); ++t) {
        slotOf_[static_cast<size_t>(touched_[t])] = static_cast<int32_t>(t);
    }
    runStarts_.assign(touched_.size() + 1, 0);
    for (const auto& [file, run] : runs_) {
        ++runStarts_[static_cast<size_t>(slotOf_[static_cast<size_t>(file)]) + 1];
    }
    for (size_t t = 1; t < runStarts_.size(); ++t) {
        runStarts_[t] += runStarts_[t - 1];
    }
    grouped_.resize(runs_.size());
    std::vector<int32_t> at(runStarts_.begin(), runStarts_.end() - 1);
    for (const auto& [file, run] : runs_) {
        grouped_[static_cast<size_t>(
            at[static_cast<size_t>(slotOf_[static_cast<size_t>(file)])]++)] = run;
    }
}

std::vector<Run> PassageSearch::ByFinder(const IndexedText& first, const SecondText& second) {
    if (!finderHasSecond_) {
        // Few texts are compared whole, so their windows are made only when one is.
        secondWindows_ = WindowHashes(second.hashes, rules_.minWords);
        finder_.SetSecond(PassageText{second.ids, secondWindows_});
        finderHasSecond_ = true;
    }
    std::vector<uint64_t> hashes;
    hashes.reserve(first.ids.size());
    for (const uint32_t id : first.ids) {
        hashes.push_back(wordHashes_[id]);
    }
    const std::vector<uint64_t> windows = WindowHashes(hashes, rules_.minWords);
    return finder_.PickedRuns(PassageText{first.ids, windows});
}

std::vector<PassagesWith> PassageSearch::Find(const SecondText& second, SearchScope scope) {
    finderHasSecond_ = false;
    fromFile_ = scope.fromFile;
    CountSeeds(second);
    WalkSeeds(second);
    std::vector<PassagesWith> found;
    for (size_t t = 0; t < touched_.size(); ++t) {
        const int32_t file = touched_[t];
        const IndexedText& first = files_[static_cast<size_t>(file)];
        std::vector<Run> runs;
        if (byFinder_[static_cast<size_t>(file)] != 0) {
            runs = ByFinder(first, second);
        } else if (runStarts_[t] < runStarts_[t + 1]) {
            runs = PickedRuns(std::vector<Run>(grouped_.begin() + runStarts_[t],
                                               grouped_.begin() + runStarts_[t + 1]),
                              rules_.minWords);
        }
        if (runs.empty()) {
            continue;
        }
        PassagesWith with{file, {}, {}};
        if (scope.mirror && file > scope.fromFile) {
            std::vector<Run> swapped;
            swapped.reserve(runs.size());
            for (const Run& run : runs) {
                swapped.push_back(Run{run.start2, run.start1, run.length});
            }
            with.mirrored = JoinRuns(std::move(swapped), rules_.maxGap);
        }
        with.passages = JoinRuns(std::move(runs), rules_.maxGap);
        found.push_back(std::move(with));
    }
    return found;
}

}  // namespace ravelin
