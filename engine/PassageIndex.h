#pragma once

// An index of the 1st folder's texts by fingerprints of their word windows, which tells a
// 2nd-folder text the only 1st-folder texts it can share a passage with.
//
// Fingerprints are chosen by winnowing: each window of k = (K + 1) / 2 words has a hash, and in
// every stretch of w = K - k + 1 consecutive windows the smallest hash is a fingerprint. A run of
// K equal words holds exactly w consecutive windows, the same ones in both texts, so their
// smallest hash is a fingerprint of both: every shared run of K words gives a shared
// fingerprint, and about 2 / (w + 1) of a text's windows are fingerprints.

#include <cstdint>
#include <span>
#include <vector>

namespace ravelin {

// The fingerprints of a text for runs of at least minWords words, sorted, each once.
std::vector<uint64_t> Fingerprints(std::span<const uint64_t> wordHashes, int32_t minWords);

class PassageIndex {
  public:
    void Add(int32_t file, std::span<const uint64_t> fingerprints);
    // After the last Add and before the first Candidates.
    void Seal();
    // The files sharing a fingerprint with a text, in ascending order.
    std::vector<int32_t> Candidates(std::span<const uint64_t> fingerprints) const;
    size_t Entries() const { return entries_.size(); }

  private:
    struct Entry {
        uint64_t fingerprint;
        int32_t file;
        bool operator<(const Entry& other) const {
            return fingerprint != other.fingerprint ? fingerprint < other.fingerprint
                                                    : file < other.file;
        }
    };
    std::vector<Entry> entries_;
};

}  // namespace ravelin
