#include "engine/PrunedMatcher.h"

#include <algorithm>
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

constexpr uint32_t kNoWord = WordDictionary::kUnknown;

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
    const auto add = [this, &tokens](uint64_t token) {
        tokens.push_back({Frequency(token), token});
    };
    if (bounds_.wordPairs) {
        for (size_t i = 0; i + 1 < ids.size(); ++i) {
            add(PairToken(ids[i], ids[i + 1]));
        }
    } else {
        for (const uint32_t id : ids) {
            add(id);
        }
    }
    std::sort(tokens.begin(), tokens.end());
}

size_t FirstFolderIndex::PrefixLength(size_t tokenCount) const {
    const auto overlap = static_cast<size_t>(bounds_.overlap);
    return tokenCount + 1 > overlap ? tokenCount + 1 - overlap : 0;
}

uint32_t FirstFolderIndex::Frequency(uint64_t token) const {
    const uint32_t* found = frequency_.Find(token);
    return found == nullptr ? 0 : *found;
}

std::span<const int32_t> FirstFolderIndex::Postings(uint64_t token) const {
    const uint32_t* at = postingsAt_.Find(token);
    if (at == nullptr) {
        return {};
    }
    const uint32_t begin = postingRanges_[*at];
    const uint32_t end = postingRanges_[*at + 1];
    return {postings_.data() + begin, end - begin};
}

void FirstFolderIndex::Build(const FirstFolderTable& table, int32_t n, int32_t t) {
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
    // Each file's prefix tokens, as (token, file) to be grouped by token.
    std::vector<std::pair<uint64_t, int32_t>> entries;
    std::vector<RankedToken> tokens;
    for (int32_t k = 0; k < fileCount_; ++k) {
        if (table.TooSmall(k)) {
            continue;
        }
        SortedTokens(table.Ids(k), tokens);
        const size_t prefix = PrefixLength(tokens.size());
        for (size_t i = 0; i < prefix; ++i) {
            if (i == 0 || tokens[i].token != tokens[i - 1].token) {
                entries.emplace_back(tokens[i].token, k);
            }
        }
    }
    std::sort(entries.begin(), entries.end());
    postingsAt_ = FlatKeyMap(entries.size() / 2);
    postingRanges_.clear();
    postings_.clear();
    postings_.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i == 0 || entries[i].first != entries[i - 1].first) {
            postingsAt_[entries[i].first] = static_cast<uint32_t>(postingRanges_.size());
            postingRanges_.push_back(static_cast<uint32_t>(postings_.size()));
        }
        postings_.push_back(entries[i].second);
    }
    postingRanges_.push_back(static_cast<uint32_t>(postings_.size()));
}

PairProbe::PairProbe(const FirstFolderIndex& index)
    : index_(index),
      stamp_(static_cast<size_t>(index.FileCount()), 0),
      slotWord_(512, kNoWord),
      slotFirst_(512, -1),
      nextPosition_(static_cast<size_t>(2 * index.N()), -1),
      equalAtShift_(static_cast<size_t>(2 * index.N() + 1), 0) {}

void PairProbe::Begin(std::span<const uint32_t> ids2) {
    ++round_;
    candidates_.clear();
    index_.SortedTokens(ids2, tokens_);
    const size_t prefix = index_.PrefixLength(tokens_.size());
    for (size_t i = 0; i < prefix; ++i) {
        for (const int32_t k : index_.Postings(tokens_[i].token)) {
            if (!IsCandidate(k)) {
                stamp_[static_cast<size_t>(k)] = round_;
                candidates_.push_back(k);
            }
        }
    }
    std::sort(candidates_.begin(), candidates_.end());
    // The window's positions by word, for counting equal words per shift.
    std::fill(slotWord_.begin(), slotWord_.end(), kNoWord);
    const size_t mask = slotWord_.size() - 1;
    for (size_t p = ids2.size(); p-- > 0;) {
        if (ids2[p] == kNoWord) {
            continue;
        }
        const uint32_t hash = ids2[p] * 0x9E3779B1U;
        size_t slot = hash & mask;
        while (slotWord_[slot] != kNoWord && slotWord_[slot] != ids2[p]) {
            slot = (slot + 1) & mask;
        }
        nextPosition_[p] = slotWord_[slot] == kNoWord ? -1 : slotFirst_[slot];
        slotWord_[slot] = ids2[p];
        slotFirst_[slot] = static_cast<int32_t>(p);
    }
}

void PairProbe::CountEqualPerShift(std::span<const uint32_t> ids1) {
    std::fill(equalAtShift_.begin(), equalAtShift_.end(), 0);
    const int32_t n = index_.N();
    const size_t mask = slotWord_.size() - 1;
    for (size_t p1 = 0; p1 < ids1.size(); ++p1) {
        const uint32_t hash = ids1[p1] * 0x9E3779B1U;
        size_t slot = hash & mask;
        while (slotWord_[slot] != kNoWord && slotWord_[slot] != ids1[p1]) {
            slot = (slot + 1) & mask;
        }
        if (slotWord_[slot] == kNoWord) {
            continue;
        }
        for (int32_t p2 = slotFirst_[slot]; p2 >= 0; p2 = nextPosition_[static_cast<size_t>(p2)]) {
            const int32_t shift = static_cast<int32_t>(p1) - p2;
            if (shift >= -n && shift <= n) {
                const int32_t index = shift + n;
                ++equalAtShift_[static_cast<size_t>(index)];
            }
        }
    }
}

std::optional<MatchResult> PairProbe::Match(const SegmentSides& sides, int32_t k) {
    if (!IsCandidate(k)) {
        return std::nullopt;
    }
    CountEqualPerShift(sides.ids1);
    const int32_t n = index_.N();
    const int32_t t = index_.T();
    const int32_t minEqual = index_.Bounds().minEqual;
    // Mode 1 with no shift compares what mode 2 with no shift compared, so it is not tried again.
    for (const int32_t mode : {2, 1}) {
        for (int32_t d = mode == 2 ? 0 : 1; d <= n; ++d) {
            const int32_t index = (mode == 2 ? d : -d) + n;
            if (equalAtShift_[static_cast<size_t>(index)] < minEqual ||
                CompareSegments(sides, mode, d, n, t, nullptr) < t) {
                continue;
            }
            return MatchResult{CompareSegments(sides, mode, d, n, t, nullptr), mode, d};
        }
    }
    return std::nullopt;
}

}  // namespace ravelin
