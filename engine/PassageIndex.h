#pragma once

// An index of the 1st folder's texts by fingerprints of their word windows, which tells a
// 2nd-folder text the only places of 1st-folder texts where a passage they share can lie.
//
// Fingerprints are chosen by winnowing: each window of k words (FingerprintWords) has a hash,
// and in every stretch of w = K - k + 1 consecutive windows the rightmost smallest hash is a
// fingerprint, kept with the window's word index. A run of K equal words holds exactly w
// consecutive windows, the same ones in both texts, so both choose the same window of it: every
// shared run of K words gives a fingerprint of equal hash at aligned places of the two texts,
// and about 2 / (w + 1) of a text's windows are fingerprints. An equal hash says nothing of the
// words; the words are compared wherever a run is looked for.

#include "engine/OrderedWork.h"
#include "files/LargePages.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ravelin {

struct Fingerprint {
    uint32_t hash;
    int32_t word;  // where its window starts
};

// The words of a fingerprint's window for runs of minWords words. Texts that share most of
// their words but few long runs (a copy edited every few words) share many windows of K / 2
// words, each a seed compared for nothing; windows of 11 words seldom agree by chance, and five
// windows a run keep the index at a third of the words.
int32_t FingerprintWords(int32_t minWords);

// The fingerprints of a text for runs of at least minWords words, in text order, each once.
std::vector<Fingerprint> Fingerprints(std::span<const uint64_t> wordHashes, int32_t minWords);

struct Posting {
    uint32_t hash;
    int32_t file;
    int32_t word;
};

class PassageIndex {
  public:
    // From each file's fingerprints in text order, `fingerprintsOf(file)` for the files
    // 0 .. files - 1; the index is placed in one piece, so its peak is the index and the
    // fingerprints it is made from, and no more. Each of `jobs` workers counts, places and orders
    // the entries of its own range of buckets: the ranges share nothing, so no entry waits for a
    // lock, and the placing, a write to anywhere in the index for every entry, is split.
    template <class FingerprintsOf>
    void Build(int32_t files, const FingerprintsOf& fingerprintsOf, int jobs = 1) {
        const auto of = [&fingerprintsOf](int32_t file) {
            return std::span<const Fingerprint>(fingerprintsOf(file));
        };
        size_t entries = 0;
        for (int32_t file = 0; file < files; ++file) {
            entries += of(file).size();
        }
        SizeBuckets(entries);
        std::vector<uint32_t> at;
        // Calls `step(bucket, fingerprint, file)` on `jobs` workers for every entry, each worker
        // for the entries of its range of buckets, which it then orders when asked.
        const auto inRanges = [&](const auto& step, bool order) {
            const size_t parts = static_cast<size_t>(std::max(jobs, 1));
            const size_t buckets = buckets_.size() - 1;
            OrderedWork<bool> work(
                jobs, static_cast<int32_t>(parts),
                [&] {
                    return [&](int32_t part, bool& /*done*/) {
                        const size_t first = buckets * static_cast<size_t>(part) / parts;
                        const size_t end = buckets * (static_cast<size_t>(part) + 1) / parts;
                        for (int32_t file = 0; file < files; ++file) {
                            for (const Fingerprint& fingerprint : of(file)) {
                                const size_t b = Bucket(fingerprint.hash);
                                if (b >= first && b < end) {
                                    step(b, fingerprint, file);
                                }
                            }
                        }
                        if (order) {
                            OrderBuckets(first, end);
                        }
                    };
                },
                1);
            for (size_t part = 0; part < parts; ++part) {
                work.Take(static_cast<int32_t>(part));
            }
        };
        inRanges([this](size_t b, const Fingerprint&, int32_t) { ++buckets_[b + 1]; }, false);
        StartBuckets();
        at.assign(buckets_.begin(), buckets_.end() - 1);
        inRanges(
            [this, &at](size_t b, const Fingerprint& fingerprint, int32_t file) {
                entries_[at[b]++] = Posting{fingerprint.hash, file, fingerprint.word};
            },
            true);
    }
    // Every place of a fingerprint's hash, by file and then by word.
    std::span<const Posting> Postings(uint32_t hash) const;
    // A lookup costs two waits for memory, its bucket's start and then its entries; a caller
    // that knows the hashes to come asks for the bucket well ahead and the entries after it.
    void PrefetchBucket(uint32_t hash) const {
        if (!buckets_.empty()) {
            __builtin_prefetch(&buckets_[Bucket(hash)]);
        }
    }
    void PrefetchPostings(uint32_t hash) const {
        if (!entries_.empty()) {
            __builtin_prefetch(&entries_[buckets_[Bucket(hash)]]);
        }
    }
    size_t Entries() const { return entries_.size(); }
    size_t Bytes() const {
        return entries_.capacity() * sizeof(Posting) + buckets_.capacity() * sizeof(uint32_t);
    }

  private:
    size_t Bucket(uint32_t hash) const { return hash >> shift_; }
    void SizeBuckets(size_t entries);
    void StartBuckets();
    void OrderBuckets(size_t first, size_t end);

    std::vector<Posting, LargePageAllocator<Posting>> entries_;  // by hash, file and word
    // Where each bucket of hashes starts in entries_, the hash's top bits naming the bucket.
    std::vector<uint32_t> buckets_;
    int shift_ = 32;
};

}  // namespace ravelin
