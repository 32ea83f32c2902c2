#pragma once

// An index of the 1st folder's texts by fingerprints of their word windows, which tells a
// 2nd-folder text the only places of 1st-folder texts where a passage they share can lie.
//
// Fingerprints are chosen by winnowing: each window of k = (K + 1) / 2 words has a hash, and in
// every stretch of w = K - k + 1 consecutive windows the rightmost smallest hash is a
// fingerprint, kept with the window's word index. A run of K equal words holds exactly w
// consecutive windows, the same ones in both texts, so both choose the same window of it: every
// shared run of K words gives a fingerprint of equal hash at aligned places of the two texts,
// and about 2 / (w + 1) of a text's windows are fingerprints. An equal hash says nothing of the
// words; the words are compared wherever a run is looked for.

#include <cstdint>
#include <span>
#include <vector>

namespace ravelin {

struct Fingerprint {
    uint32_t hash;
    int32_t word;  // where its window starts
};

// The fingerprints of a text for runs of at least minWords words, in text order, each once.
std::vector<Fingerprint> Fingerprints(std::span<const uint64_t> wordHashes, int32_t minWords);

struct Posting {
    uint32_t hash;
    int32_t file;
    int32_t word;
};

class PassageIndex {
  public:
    // Files in ascending order, each once, its fingerprints in text order.
    void Add(int32_t file, std::span<const Fingerprint> fingerprints);
    // After the last Add and before the first Postings.
    void Seal();
    // Every place of a fingerprint's hash, by file and then by word.
    std::span<const Posting> Postings(uint32_t hash) const;
    size_t Entries() const { return entries_.size(); }
    size_t Bytes() const {
        return entries_.capacity() * sizeof(Posting) + buckets_.capacity() * sizeof(uint32_t);
    }

  private:
    size_t Bucket(uint32_t hash) const { return hash >> shift_; }

    std::vector<Posting> entries_;  // by hash, file and word
    // Where each bucket of hashes starts in entries_, the hash's top bits naming the bucket.
    std::vector<uint32_t> buckets_;
    int shift_ = 32;
};

}  // namespace ravelin
