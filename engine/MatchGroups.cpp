#include "engine/MatchGroups.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace ravelin {

void MatchGroups::OnScanBegun(const ScanOptions& options) {
    folders_[0] = options.folders[0];
    folders_[1] = options.folders[1];
    sameFolder_ = options.folders[0] == options.folders[1];
    parent_.clear();
    number_.clear();
    members_.clear();
    nextNumber_ = 1;
}

void MatchGroups::OnPassBegun(ScanPass pass, int32_t files) {
    if (pass == ScanPass::First) {
        files1_ = files;
    }
}

// A file of a self-scan is one node whichever folder it is seen from.
size_t MatchGroups::Node(int slot, int32_t index) {
    const bool second = slot == 1 && !sameFolder_;
    const auto node = static_cast<size_t>(second ? files1_ + index : index);
    if (node >= parent_.size()) {
        const size_t old = parent_.size();
        parent_.resize(node + 1);
        number_.resize(node + 1, 0);
        members_.resize(node + 1, GroupMember{-1, 0, {}});
        for (size_t i = old; i < parent_.size(); ++i) {
            parent_[i] = i;
        }
    }
    return node;
}

size_t MatchGroups::Root(size_t node) const {
    while (parent_[node] != node) {
        node = parent_[node];
    }
    return node;
}

void MatchGroups::OnMatch(const MatchFound& event) {
    const size_t a = Node(0, event.index1);
    const size_t b = Node(1, event.index2);
    if (members_[a].slot < 0) {
        members_[a] = {0, event.index1, event.name1};
    }
    if (members_[b].slot < 0) {
        members_[b] = {sameFolder_ ? 0 : 1, event.index2, event.name2};
    }
    const size_t rootA = Root(a);
    const size_t rootB = Root(b);
    lastMerged_ = 0;
    if (rootA == rootB) {
        lastGroup_ = number_[rootA];
        return;
    }
    const size_t root = std::min(rootA, rootB);
    const int32_t numberA = number_[rootA];
    const int32_t numberB = number_[rootB];
    parent_[std::max(rootA, rootB)] = root;
    if (numberA != 0 && numberB != 0) {
        number_[root] = std::min(numberA, numberB);
        lastMerged_ = std::max(numberA, numberB);
    } else {
        number_[root] = numberA != 0 ? numberA : numberB != 0 ? numberB : nextNumber_++;
    }
    lastGroup_ = number_[root];
}

std::vector<std::vector<GroupMember>> MatchGroups::Groups() const {
    std::map<size_t, std::vector<GroupMember>> byRoot;
    for (size_t node = 0; node < members_.size(); ++node) {
        if (members_[node].slot >= 0) {
            byRoot[Root(node)].push_back(members_[node]);
        }
    }
    std::vector<std::vector<GroupMember>> groups;
    for (auto& [root, members] : byRoot) {
        if (members.size() < 2) {
            continue;  // a file that matched only itself
        }
        std::sort(members.begin(), members.end(), [](const auto& x, const auto& y) {
            return std::tie(x.slot, x.index) < std::tie(y.slot, y.index);
        });
        groups.push_back(std::move(members));
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const auto& x, const auto& y) { return x.size() > y.size(); });
    return groups;
}

}  // namespace ravelin
