#include "engine/PassageIndex.h"

#include "engine/Passages.h"

#include <algorithm>

namespace ravelin {

int32_t FingerprintWords(int32_t minWords) {
    return std::max((minWords + 1) / 2, std::min(minWords - 4, 11));
}

std::vector<Fingerprint> Fingerprints(std::span<const uint64_t> wordHashes, int32_t minWords) {
    const int32_t k = FingerprintWords(minWords);
    const size_t w = static_cast<size_t>(minWords - k) + 1;
    const std::vector<uint64_t> windows = WindowHashes(wordHashes, k);
    std::vector<Fingerprint> chosen;
    if (windows.size() < w) {
        return chosen;
    }
    // The windows whose hash may still be the smallest of a stretch, their hashes increasing:
    // [head, tail) of a list that each window enters once.
    std::vector<size_t> candidates(windows.size());
    size_t head = 0;
    size_t tail = 0;
    for (size_t i = 0; i < windows.size(); ++i) {
        while (tail > head && windows[candidates[tail - 1]] >= windows[i]) {
            --tail;
        }
        candidates[tail++] = i;
        if (candidates[head] + w <= i) {
            ++head;
        }
        const size_t front = candidates[head];
        // A window stays the choice of consecutive stretches, so it is kept once.
        if (i + 1 >= w && (chosen.empty() || chosen.back().word != static_cast<int32_t>(front))) {
            chosen.push_back(Fingerprint{static_cast<uint32_t>(windows[front] >> 32),
                                         static_cast<int32_t>(front)});
        }
    }
    return chosen;
}

namespace {

// Stable, so that entries of one hash stay by file and word.
void OrderByHash(std::span<Posting> bucket) {
    const auto byHash = [](const Posting& x, const Posting& y) { return x.hash < y.hash; };
    if (bucket.size() > 32) {
        std::stable_sort(bucket.begin(), bucket.end(), byHash);
        return;
    }
    for (size_t i = 1; i < bucket.size(); ++i) {
        const Posting posting = bucket[i];
        size_t j = i;
        for (; j > 0 && byHash(posting, bucket[j - 1]); --j) {
            bucket[j] = bucket[j - 1];
        }
        bucket[j] = posting;
    }
}

}  // namespace

// About four entries a bucket: a lookup reads one short stretch.
void PassageIndex::SizeBuckets(size_t entries) {
    int bits = 1;
    while (bits < 30 && (size_t{1} << (bits + 2)) < entries) {
        ++bits;
    }
    shift_ = 32 - bits;
    buckets_.assign((size_t{1} << bits) + 1, 0);
    entries_.resize(entries);
}

void PassageIndex::StartBuckets() {
    for (size_t b = 1; b < buckets_.size(); ++b) {
        buckets_[b] += buckets_[b - 1];
    }
}

// The entries come by file and word and are counted into their buckets in that order; each
// short bucket is then ordered by hash keeping it, which gives the order of hash, file and word
// in linear time where a sort of the whole index would take the longest part of the first pass.
void PassageIndex::OrderBuckets(size_t first, size_t end) {
    for (size_t b = first; b < end; ++b) {
        OrderByHash(
            std::span<Posting>(entries_).subspan(buckets_[b], buckets_[b + 1] - buckets_[b]));
    }
}

std::span<const Posting> PassageIndex::Postings(uint32_t hash) const {
    if (entries_.empty()) {
        return {};
    }
    const size_t b = Bucket(hash);
    const auto begin = entries_.begin() + buckets_[b];
    const auto end = entries_.begin() + buckets_[b + 1];
    const auto first =
        std::lower_bound(begin, end, hash, [](const Posting& p, uint32_t h) { return p.hash < h; });
    const auto last =
        std::upper_bound(first, end, hash, [](uint32_t h, const Posting& p) { return h < p.hash; });
    return {first, last};
}

}  // namespace ravelin
