#include "engine/PassageIndex.h"

#include "engine/Passages.h"

#include <algorithm>
#include <deque>

namespace ravelin {

std::vector<uint64_t> Fingerprints(std::span<const uint64_t> wordHashes, int32_t minWords) {
    const int32_t k = (minWords + 1) / 2;
    const auto w = static_cast<size_t>(minWords - k + 1);
    const std::vector<uint64_t> windows = WindowHashes(wordHashes, k);
    std::vector<uint64_t> chosen;
    if (windows.size() < w) {
        return chosen;
    }
    // The windows whose hash may still be the smallest of a stretch, their hashes increasing.
    std::deque<size_t> candidates;
    for (size_t i = 0; i < windows.size(); ++i) {
        while (!candidates.empty() && windows[candidates.back()] >= windows[i]) {
            candidates.pop_back();
        }
        candidates.push_back(i);
        if (candidates.front() + w <= i) {
            candidates.pop_front();
        }
        if (i + 1 >= w) {
            chosen.push_back(windows[candidates.front()]);
        }
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    return chosen;
}

void PassageIndex::Add(int32_t file, std::span<const uint64_t> fingerprints) {
    for (const uint64_t fingerprint : fingerprints) {
        entries_.push_back(Entry{fingerprint, file});
    }
}

void PassageIndex::Seal() {
    std::sort(entries_.begin(), entries_.end());
    entries_.shrink_to_fit();
}

std::vector<int32_t> PassageIndex::Candidates(std::span<const uint64_t> fingerprints) const {
    std::vector<int32_t> files;
    for (const uint64_t fingerprint : fingerprints) {
        auto it = std::lower_bound(entries_.begin(), entries_.end(), Entry{fingerprint, 0});
        for (; it != entries_.end() && it->fingerprint == fingerprint; ++it) {
            files.push_back(it->file);
        }
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

}  // namespace ravelin
