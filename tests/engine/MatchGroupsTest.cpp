#include "engine/MatchGroups.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

// The groups as "slot:name" lists, for the pairs (index1, index2) matched in this order.
std::vector<std::vector<std::string>> GroupsOf(bool selfScan,
                                               const std::vector<std::pair<int, int>>& pairs) {
    ScanOptions options;
    options.folders = {"one", selfScan ? "one" : "two"};
    MatchGroups groups;
    groups.OnScanBegun(options);
    groups.OnPassBegun(ScanPass::First, 10);
    const std::string none;
    const SegmentWords noWords{"", ""};
    for (const auto& [k, j] : pairs) {
        const std::string name1 = "f" + std::to_string(k);
        const std::string name2 = "f" + std::to_string(j);
        groups.OnMatch({k, j, name1, name2, 100, 2, 0, 1, noWords});
    }
    std::vector<std::vector<std::string>> named;
    for (const auto& group : groups.Groups()) {
        named.emplace_back();
        for (const GroupMember& member : group) {
            named.back().push_back(std::to_string(member.slot) + ":" + member.name);
        }
    }
    return named;
}

using Named = std::vector<std::vector<std::string>>;

TEST(MatchGroups, FilesJoinedByMatchesFormOneGroupLargestFirst) {
    // Across two folders, file 1 of each side is a different file; chains merge.
    EXPECT_EQ(GroupsOf(false, {{5, 5}, {1, 2}, {3, 2}, {3, 4}}),
              (Named{{"0:f1", "0:f3", "1:f2", "1:f4"}, {"0:f5", "1:f5"}}));
    // In a self-scan a file is one member whichever side matched it, and a file that matches
    // only itself forms no group.
    EXPECT_EQ(GroupsOf(true, {{0, 0}, {1, 1}, {1, 7}, {7, 1}, {7, 7}, {9, 2}}),
              (Named{{"0:f1", "0:f7"}, {"0:f2", "0:f9"}}));
}

// As the scan goes, each match names its group as it stands; when two groups meet, the later one
// is merged into the earlier.
TEST(MatchGroups, NumbersGroupsAsTheyFormAndMerges) {
    ScanOptions options;
    options.folders = {"one", "two"};
    MatchGroups groups;
    groups.OnScanBegun(options);
    std::vector<std::pair<int32_t, int32_t>> seen;
    const std::string none;
    const SegmentWords noWords{"", ""};
    for (const auto& [k, j] : {std::pair{1, 2}, {3, 4}, {5, 4}, {1, 4}, {5, 2}}) {
        groups.OnMatch({k, j, none, none, 100, 2, 0, 1, noWords});
        seen.emplace_back(groups.LastGroup(), groups.LastMerged());
    }
    EXPECT_EQ(seen,
              (std::vector<std::pair<int32_t, int32_t>>{{1, 0}, {2, 0}, {2, 0}, {1, 2}, {1, 0}}));
}

}  // namespace
}  // namespace ravelin
