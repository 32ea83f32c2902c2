#pragma once

// The copies gathered into groups: files joined by matches, directly or through others, form one
// group. A file of a self-scan that matches only itself forms none.

#include "engine/ScanSink.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ravelin {

struct GroupMember {
    int slot;  // 0: the 1st folder, 1: the 2nd
    int32_t index;
    std::string name;
};

class MatchGroups final : public ScanSink {
  public:
    void OnScanBegun(const ScanOptions& options) override;
    void OnPassBegun(ScanPass pass, int32_t files) override;
    void OnMatch(const MatchFound& event) override;

    // The number of the group the last match belongs to as it stands now (0 when the match joined
    // a file only to itself), and the group it absorbed, if it joined two: numbers are handed out
    // as groups form, and the smaller one lives on when two merge.
    int32_t LastGroup() const { return lastGroup_; }
    int32_t LastMerged() const { return lastMerged_; }

    // Largest first, then by their first member; in each, the 1st-folder files first, then by
    // index.
    std::vector<std::vector<GroupMember>> Groups() const;
    const std::string& Folder(int slot) const { return folders_[static_cast<size_t>(slot)]; }

  private:
    size_t Node(int slot, int32_t index);
    size_t Root(size_t node) const;

    std::string folders_[2];
    bool sameFolder_ = false;
    int32_t files1_ = 0;
    std::vector<size_t> parent_;
    std::vector<int32_t> number_;  // by root: its group's number, 0 before it has one
    int32_t nextNumber_ = 1;
    int32_t lastGroup_ = 0;
    int32_t lastMerged_ = 0;
    std::vector<GroupMember> members_;  // by node
};

}  // namespace ravelin
