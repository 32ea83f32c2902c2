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

#include "files/LargePages.h"

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
    // fingerprints it is made from, and no more.
    template <class FingerprintsOf>
    void Build(int32_t files, const FingerprintsOf& fingerprintsOf) {
        const auto of = [&fingerprintsOf](int32_t file) {
            return std::span<const Fingerprint>(fingerprintsOf(file));
        };
        size_t entries = 0;
        for (int32_t file = 0; file < files; ++file) {
            entries += of(file).size();
        }
        SizeBuckets(entries);
        for (int32_t file = 0; file < files; ++file) {
            for (const Fingerprint& fingerprint : of(file)) {
                ++buckets_[Bucket(fingerprint.hash) + 1];
            }
        }
        StartBuckets();
        std::vector<uint32_t> at(buckets_.begin(), buckets_.end() - 1);
        for (int32_t file = 0; file < files; ++file) {
            for (const Fingerprint& fingerprint : of(file)) {
                entries_[at[Bucket(fingerprint.hash)]++] =
                    Posting{fingerprint.hash, file, fingerprint.word};
            }
        }
        OrderBuckets();
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
    void OrderBuckets();

    std::vector<Posting, LargePageAllocator<Posting>> entries_;  // by hash, file and word
    // Where each bucket of hashes starts in entries_, the hash's top bits naming the bucket.
    std::vector<uint32_t> buckets_;
    int shift_ = 32;
};

}  // namespace ravelin
