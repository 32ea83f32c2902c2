#include "engine/FlatKeyMap.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

// Keeping part of a map must leave exactly that part, each key with its own value, and a map
// that goes on taking keys as before.
TEST(FlatKeyMap, RetainKeepsTheAcceptedKeysWithTheirValues) {
    FlatKeyMap map;
    constexpr uint64_t kKeys = 1000;
    for (uint64_t key = 0; key < kKeys; ++key) {
        map[key << 32] = static_cast<uint32_t>(key % 100);
    }
    map.Retain([](uint32_t value) { return value >= 60; });
    EXPECT_EQ(map.Size(), 400U);
    for (uint64_t key = 0; key < kKeys; ++key) {
        const uint32_t* value = map.Find(key << 32);
        if (key % 100 >= 60) {
            ASSERT_NE(value, nullptr) << key;
            EXPECT_EQ(*value, key % 100) << key;
        } else {
            EXPECT_EQ(value, nullptr) << key;
        }
    }
    for (uint64_t key = kKeys; key < 2 * kKeys; ++key) {
        map[key << 32] = 7;
    }
    EXPECT_EQ(map.Size(), 1400U);
    ASSERT_NE(map.Find((2 * kKeys - 1) << 32), nullptr);
    EXPECT_EQ(*map.Find((2 * kKeys - 1) << 32), 7U);
}

}  // namespace
}  // namespace ravelin
