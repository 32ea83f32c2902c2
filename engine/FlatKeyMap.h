#pragma once

// A hash table from 64-bit keys to 32-bit values, open addressing with linear probing: a few
// bytes a key where a node-based map takes dozens, which matters with millions of word pairs.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace ravelin {

class FlatKeyMap {
  public:
    static constexpr uint64_t kEmptyKey = std::numeric_limits<uint64_t>::max();

    explicit FlatKeyMap(size_t expectedKeys = 16) { Rehash(SlotsFor(expectedKeys)); }

    // The value of key, inserted as 0 when it is new. `key` must not be kEmptyKey.
    uint32_t& operator[](uint64_t key) {
        if ((size_ + 1) * 4 > keys_.size() * 3) {
            Rehash(keys_.size() * 2);
        }
        size_t slot = SlotOf(key);
        while (keys_[slot] != key) {
            if (keys_[slot] == kEmptyKey) {
                keys_[slot] = key;
                values_[slot] = 0;
                ++size_;
                break;
            }
            slot = (slot + 1) & mask_;
        }
        return values_[slot];
    }

    const uint32_t* Find(uint64_t key) const {
        if (key == kEmptyKey) {
            return nullptr;  // the mark of an empty slot is never a key
        }
        for (size_t slot = SlotOf(key);; slot = (slot + 1) & mask_) {
            if (keys_[slot] == key) {
                return &values_[slot];
            }
            if (keys_[slot] == kEmptyKey) {
                return nullptr;
            }
        }
    }

    size_t Size() const { return size_; }

    // True when the next new key makes the table grow.
    bool Full() const { return (size_ + 1) * 4 > keys_.size() * 3; }

    // Keeps only the keys whose value `keep` accepts, in a table sized for them: a map whose
    // keys go out of use as a walk goes on stays the size of those still in use.
    template <class Keep>
    void Retain(const Keep& keep) {
        std::vector<uint64_t> oldKeys;
        std::vector<uint32_t> oldValues;
        oldKeys.swap(keys_);
        oldValues.swap(values_);
        size_t kept = 0;
        for (size_t slot = 0; slot < oldKeys.size(); ++slot) {
            kept += oldKeys[slot] != kEmptyKey && keep(oldValues[slot]) ? 1 : 0;
        }
        Reset(SlotsFor(2 * kept));
        for (size_t slot = 0; slot < oldKeys.size(); ++slot) {
            if (oldKeys[slot] != kEmptyKey && keep(oldValues[slot])) {
                (*this)[oldKeys[slot]] = oldValues[slot];
            }
        }
    }

    // Empties the map for reuse; a table that grew far past what it held is made small again, so
    // that one large use does not make every later clearing costly.
    void Clear() {
        const size_t wanted = SlotsFor(size_);
        if (keys_.size() > 8 * wanted) {
            Reset(wanted);
        } else {
            std::fill(keys_.begin(), keys_.end(), kEmptyKey);
        }
        size_ = 0;
    }

  private:
    static size_t SlotsFor(size_t keys) {
        size_t slotCount = 16;
        while (slotCount * 3 < keys * 4) {
            slotCount *= 2;
        }
        return slotCount;
    }

    size_t SlotOf(uint64_t key) const {
        // Fibonacci hashing spreads keys that differ only in their low bits, as word numbers do.
        return static_cast<size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift_) & mask_;
    }

    void Reset(size_t slotCount) {
        keys_.assign(slotCount, kEmptyKey);
        values_.assign(slotCount, 0);
        mask_ = slotCount - 1;
        shift_ = 64;
        for (size_t s = slotCount; s > 1; s >>= 1) {
            --shift_;
        }
        size_ = 0;
    }

    void Rehash(size_t slotCount) {
        std::vector<uint64_t> oldKeys;
        std::vector<uint32_t> oldValues;
        oldKeys.swap(keys_);
        oldValues.swap(values_);
        Reset(slotCount);
        for (size_t slot = 0; slot < oldKeys.size(); ++slot) {
            if (oldKeys[slot] != kEmptyKey) {
                (*this)[oldKeys[slot]] = oldValues[slot];
            }
        }
    }

    std::vector<uint64_t> keys_;
    std::vector<uint32_t> values_;
    size_t mask_ = 0;
    int shift_ = 64;
    size_t size_ = 0;
};

}  // namespace ravelin
