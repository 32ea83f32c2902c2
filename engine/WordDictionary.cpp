#include "engine/WordDictionary.h"

namespace ravelin {

// The slot that holds the word, or the empty slot where it would go.
size_t WordDictionary::SlotOf(std::string_view word, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    const auto tag = static_cast<uint32_t>(hash);
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.id == kUnknown || (slot.hash == tag && words_[slot.id] == word)) {
            return at;
        }
    }
}

uint32_t WordDictionary::Intern(std::string_view word, uint64_t hash) {
    size_t at = SlotOf(word, hash);
    if (slots_[at].id != kUnknown) {
        return slots_[at].id;
    }
    if ((words_.size() + 1) * 2 > slots_.size()) {
        Grow();
        at = SlotOf(word, hash);
    }
    const auto id = static_cast<uint32_t>(words_.size());
    words_.emplace_back(word);
    slots_[at] = Slot{id, static_cast<uint32_t>(hash)};
    return id;
}

uint32_t WordDictionary::Find(std::string_view word) const {
    return slots_[SlotOf(word, HashOf(word))].id;
}

void WordDictionary::Grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.id == kUnknown) {
            continue;
        }
        // The stored part of the hash is not enough to place a word in a larger table.
        size_t at = HashOf(words_[slot.id]) & mask;
        while (slots_[at].id != kUnknown) {
            at = (at + 1) & mask;
        }
        slots_[at] = slot;
    }
}

void WordDictionary::Clear() {
    slots_.assign(1024, Slot{});
    words_.clear();
}

}  // namespace ravelin
