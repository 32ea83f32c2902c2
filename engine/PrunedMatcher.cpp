#include "engine/PrunedMatcher.h"

#include "engine/OrderedWork.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace ravelin {
namespace {

int32_t CeilDiv(int32_t a, int32_t b) {
    return (a + b - 1) / b;
}

// The least number of equal positions that can reach T at a position i >= N/2.
int32_t MinEqual(int32_t n, int32_t t) {
    return CeilDiv(t * CeilDiv(n, 2), 100);
}

// The least number of adjacent equal pairs among the first i positions of a matching window.
int32_t MinEqualPairs(int32_t n, int32_t t) {
    int32_t least = 2 * n;
    for (int32_t i = CeilDiv(n, 2); i <= 2 * n; ++i) {
        least = std::min(least, 2 * CeilDiv(t * i, 100) - i - 1);
    }
    return least;
}

uint64_t PairToken(uint32_t first, uint32_t second) {
    return (static_cast<uint64_t>(first) << 32) | second;
}

}  // namespace

PruneBounds ComputePruneBounds(int32_t n, int32_t t) {
    PruneBounds bounds;
    bounds.minEqual = std::max(1, MinEqual(n, t));
    const int32_t pairs = MinEqualPairs(n, t);
    bounds.wordPairs = pairs >= 1;
    bounds.overlap = bounds.wordPairs ? pairs : bounds.minEqual;
    return bounds;
}

void FirstFolderIndex::SortedTokens(std::span<const uint32_t> ids,
                                    std::vector<RankedToken>& tokens) const {
    tokens.clear();
    const auto add = [this, &tokens](uint64_t token, size_t position) {
        tokens.push_back({Frequency(token), token, static_cast<int32_t>(position)});
    };
    if (bounds_.wordPairs) {
        for (size_t i = 0; i + 1 < ids.size(); ++i) {
            add(PairToken(ids[i], ids[i + 1]), i);
        }
    } else {
        for (size_t i = 0; i < ids.size(); ++i) {
            add(ids[i], i);
        }
    }
    std::sort(tokens.begin(), tokens.end());
}

// A token that occurs more than once is in the prefix with all its occurrences: the one that
// aligns may be any of them.
size_t FirstFolderIndex::PrefixLength(std::span<const RankedToken> tokens) const {
    const auto overlap = static_cast<size_t>(bounds_.overlap);
    size_t length = tokens.size() + 1 > overlap ? tokens.size() + 1 - overlap : 0;
    while (length > 0 && length < tokens.size() &&
           tokens[length].token == tokens[length - 1].token) {
        ++length;
    }
    return length;
}

uint32_t FirstFolderIndex::Frequency(uint64_t token) const {
    const uint32_t* found = frequency_.Find(token);
    return found == nullptr ? 0 : *found;
}

std::span<const FirstFolderIndex::Posting> FirstFolderIndex::Postings(uint64_t token) const {
    const uint32_t* at = postingsAt_.Find(token);
    if (at == nullptr) {
        return {};
    }
    const uint32_t begin = postingRanges_[*at - 1];
    const uint32_t end = postingRanges_[*at];
    return {postings_.data() + begin, end - begin};
}

namespace {

struct PrefixEntry {
    uint64_t token;
    int32_t file;
    int32_t position;
};

constexpr int32_t kFilesPerChunk = 256;

}  // namespace

void FirstFolderIndex::Build(const FirstFolderTable& table, int32_t n, int32_t t, int jobs) {
    n_ = n;
    t_ = t;
    fileCount_ = table.FileCount();
    bounds_ = ComputePruneBounds(n, t);
    frequency_ = FlatKeyMap(static_cast<size_t>(fileCount_) * static_cast<size_t>(2 * n) / 4);
    for (int32_t k = 0; k < fileCount_; ++k) {
        if (table.TooSmall(k)) {
            continue;
        }
        const auto ids = table.Ids(k);
        for (size_t i = 0; i + (bounds_.wordPairs ? 1 : 0) < ids.size(); ++i) {
            ++frequency_[bounds_.wordPairs ? PairToken(ids[i], ids[i + 1]) : ids[i]];
        }
    }
    // The postings are grouped by token in two rounds over the files' prefixes, counting then
    // placing, rather than sorted: a list of (token, posting) would double the index's peak.
    // The prefixes are sorted on the workers, a chunk of files at a time, and used here in
    // file order.
    const auto forEachPrefixToken = [&](const auto& use) {
        const int32_t chunks = (fileCount_ + kFilesPerChunk - 1) / kFilesPerChunk;
        OrderedWork<std::vector<PrefixEntry>> work(jobs, chunks, [this, &table] {
            return [this, &table, tokens = std::vector<RankedToken>()](
                       int32_t chunk, std::vector<PrefixEntry>& entries) mutable {
                const int32_t end = std::min(fileCount_, (chunk + 1) * kFilesPerChunk);
                for (int32_t k = chunk * kFilesPerChunk; k < end; ++k) {
                    if (table.TooSmall(k)) {
                        continue;
                    }
                    SortedTokens(table.Ids(k), tokens);
                    const size_t prefix = PrefixLength(tokens);
                    for (size_t i = 0; i < prefix; ++i) {
                        entries.push_back({tokens[i].token, k, tokens[i].position});
                    }
                }
            };
        });
        for (int32_t chunk = 0; chunk < chunks; ++chunk) {
            for (const PrefixEntry& entry : work.Take(chunk)) {
                use(entry);
            }
        }
    };
    postingsAt_ = FlatKeyMap(frequency_.Size() / 2);
    postingRanges_.assign(1, 0);
    forEachPrefixToken([this](const PrefixEntry& token) {
        uint32_t& at = postingsAt_[token.token];  // 0 until the token's first posting
        if (at == 0) {
            postingRanges_.push_back(0);
            at = static_cast<uint32_t>(postingRanges_.size() - 1);
        }
        ++postingRanges_[at];
    });
    // Counts become ends: the range of token `at` is [ranges[at - 1], ranges[at]).
    for (size_t i = 1; i < postingRanges_.size(); ++i) {
        postingRanges_[i] += postingRanges_[i - 1];
    }
    postings_.assign(postingRanges_.back(), Posting{});
    std::vector<uint32_t> next(postingRanges_.begin(), postingRanges_.end() - 1);
    forEachPrefixToken([this, &next](const PrefixEntry& token) {
        const uint32_t at = *postingsAt_.Find(token.token);
        postings_[next[at - 1]++] = Posting{token.file, token.position};
    });
}

// A try's place in the try order: mode 2 with d = 0..N (the 1st-folder side shifted, its
// position d further on), then mode 1 with d = 1..N.
PairProbe::PairProbe(const FirstFolderIndex& index)
    : index_(index),
      triesWords_(static_cast<size_t>(2 * index.N() + 1 + 63) / 64),
      tries_(static_cast<size_t>(index.FileCount()) * triesWords_, 0),
      isCandidate_(static_cast<size_t>(index.FileCount()), 0) {}

void PairProbe::Begin(std::span<const uint32_t> ids2) {
    for (const int32_t k : candidates_) {
        std::fill_n(TriesOf(k).begin(), triesWords_, 0);
        isCandidate_[static_cast<size_t>(k)] = 0;
    }
    candidates_.clear();
    index_.SortedTokens(ids2, tokens_);
    const int32_t n = index_.N();
    const size_t prefix = index_.PrefixLength(tokens_);
    for (size_t i = 0; i < prefix; ++i) {
        for (const FirstFolderIndex::Posting& posting : index_.Postings(tokens_[i].token)) {
            const int32_t shift = posting.position - tokens_[i].position;
            if (shift < -n || shift > n) {
                continue;
            }
            const auto place = static_cast<size_t>(shift >= 0 ? shift : n - shift);
            TriesOf(posting.file)[place / 64] |= uint64_t{1} << (place % 64);
            if (isCandidate_[static_cast<size_t>(posting.file)] == 0) {
                isCandidate_[static_cast<size_t>(posting.file)] = 1;
                candidates_.push_back(posting.file);
            }
        }
    }
    // Many candidates are put in order faster by reading the marks in file order.
    if (candidates_.size() * 16 < isCandidate_.size()) {
        std::sort(candidates_.begin(), candidates_.end());
        return;
    }
    candidates_.clear();
    for (size_t k = 0; k < isCandidate_.size(); ++k) {
        if (isCandidate_[k] != 0) {
            candidates_.push_back(static_cast<int32_t>(k));
        }
    }
}

std::optional<MatchResult> PairProbe::Match(const SegmentSides& sides, int32_t k) const {
    const int32_t n = index_.N();
    const int32_t t = index_.T();
    const uint64_t* tries = tries_.data() + static_cast<size_t>(k) * triesWords_;
    for (size_t word = 0; word < triesWords_; ++word) {
        for (uint64_t bits = tries[word]; bits != 0; bits &= bits - 1) {
            const auto place = static_cast<int32_t>(word * 64) + std::countr_zero(bits);
            const int32_t mode = place <= n ? 2 : 1;
            const int32_t d = place <= n ? place : place - n;
            if (const auto percent = PercentIfReached(sides, mode, d, n, t)) {
                return MatchResult{*percent, mode, d};
            }
        }
    }
    return std::nullopt;
}

}  // namespace ravelin
