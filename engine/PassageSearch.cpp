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
      slotOf_(files.size(), 0),
      finder_(rules, common) {}

// The seeds each 1st-folder file would give, without making them: a hash found c1 times in a
// file and c2 times in the text gives c1 * c2.
void PassageSearch::CountSeeds(const SecondText& second) {
    for (const int32_t file : touched_) {
        seedCount_[static_cast<size_t>(file)] = 0;
        byFinder_[static_cast<size_t>(file)] = 0;
    }
    touched_.clear();
    sorted_.assign(second.fingerprints.begin(), second.fingerprints.end());
    std::sort(sorted_.begin(), sorted_.end(), [](const Fingerprint& a, const Fingerprint& b) {
        return std::tie(a.hash, a.word) < std::tie(b.hash, b.word);
    });
    groups_.clear();
    for (size_t i = 0; i < sorted_.size();) {
        size_t j = i;
        while (j < sorted_.size() && sorted_[j].hash == sorted_[i].hash) {
            ++j;
        }
        groups_.push_back(Group{sorted_[i].hash, static_cast<int32_t>(i), static_cast<int32_t>(j)});
        const auto times = static_cast<int64_t>(j - i);
        for (const Posting& posting : index_.Postings(sorted_[i].hash)) {
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
    for (const Fingerprint& fingerprint : second.fingerprints) {
        const int32_t word2 = fingerprint.word;
        // The seeds of one fingerprint lie on distinct diagonals, so none of them can reach
        // another's: all are chosen first and their words asked for from memory at once, which
        // hides the wait for words scattered over the whole 1st folder.
        seeds_.clear();
        for (const Posting& posting : index_.Postings(fingerprint.hash)) {
            if (byFinder_[static_cast<size_t>(posting.file)] != 0) {
                continue;
            }
            const int64_t diagonal = int64_t{posting.word} - word2;
            const uint64_t key = (static_cast<uint64_t>(posting.file) << 32) |
                                 static_cast<uint32_t>(static_cast<int32_t>(diagonal));
            // 1 + the 2nd-side end of the stretch compared on the diagonal
            if (static_cast<int64_t>(reached_[key]) > word2) {
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
            reached_[seed.key] =
                static_cast<uint32_t>(std::min(run.start2 + run.length + 1, n2 + 1));
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

std::vector<Passage> PassageSearch::ByFinder(const IndexedText& first, const SecondText& second) {
    if (!finderHasSecond_) {
        finder_.SetSecond(PassageText{second.ids, second.windows});
        finderHasSecond_ = true;
    }
    std::vector<uint64_t> hashes;
    hashes.reserve(first.ids.size());
    for (const uint32_t id : first.ids) {
        hashes.push_back(wordHashes_[id]);
    }
    const std::vector<uint64_t> windows = WindowHashes(hashes, rules_.minWords);
    return finder_.Find(PassageText{first.ids, windows});
}

std::vector<PassagesWith> PassageSearch::Find(const SecondText& second) {
    finderHasSecond_ = false;
    CountSeeds(second);
    candidates_ = static_cast<int64_t>(touched_.size());
    WalkSeeds(second);
    std::vector<PassagesWith> found;
    for (size_t t = 0; t < touched_.size(); ++t) {
        const int32_t file = touched_[t];
        const IndexedText& first = files_[static_cast<size_t>(file)];
        std::vector<Passage> passages;
        if (byFinder_[static_cast<size_t>(file)] != 0) {
            passages = ByFinder(first, second);
        } else {
            std::vector<Run> maximal(grouped_.begin() + runStarts_[t],
                                     grouped_.begin() + runStarts_[t + 1]);
            if (!maximal.empty()) {
                passages = JoinRuns(PickedRuns(std::move(maximal), rules_.minWords), rules_.maxGap);
            }
        }
        if (!passages.empty()) {
            found.push_back(PassagesWith{file, std::move(passages)});
        }
    }
    return found;
}

}  // namespace ravelin
