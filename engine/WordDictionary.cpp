#include "engine/WordDictionary.h"

#include <algorithm>

namespace ravelin {

// The slot that holds the word, or the empty slot where it would go.
size_t WordDictionary::SlotOf(std::string_view word, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    const auto tag = static_cast<uint32_t>(hash);
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.id == kUnknown || (slot.hash == tag && Word(slot.id) == word)) {
            return at;
        }
    }
}

uint32_t WordDictionary::Intern(std::string_view word, uint64_t hash) {
    size_t at = SlotOf(word, hash);
    if (slots_[at].id != kUnknown) {
        return slots_[at].id;
    }
    if ((Size() + 1) * 2 > slots_.size()) {
        Grow();
        at = SlotOf(word, hash);
    }
    const auto id = static_cast<uint32_t>(Size());
    chars_ += word;
    starts_.push_back(chars_.size());
    slots_[at] = Slot{id, static_cast<uint32_t>(hash)};
    return id;
}

uint32_t WordDictionary::Find(std::string_view word, uint64_t hash) const {
    return slots_[SlotOf(word, hash)].id;
}

void WordDictionary::Grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.id == kUnknown) {
            continue;
        }
        // A slot is placed by the low bits of the hash, which the slot keeps while the table has
        // fewer than 2^32 slots.
        size_t at = slot.hash & mask;
        while (slots_[at].id != kUnknown) {
            at = (at + 1) & mask;
        }
        slots_[at] = slot;
    }
}

// The table is sized for as many words as it held: a dictionary cleared for each file of a folder
// is then not grown anew for each, nor filled for each at the size the largest file needed.
void WordDictionary::Clear() {
    size_t size = 1024;
    while ((Size() + 1) * 2 > size) {
        size *= 2;
    }
    if (size == slots_.size()) {
        std::fill(slots_.begin(), slots_.end(), Slot{});
    } else {
        slots_.assign(size, Slot{});
    }
    chars_.clear();
    starts_.assign(1, 0);
}

}  // namespace ravelin
