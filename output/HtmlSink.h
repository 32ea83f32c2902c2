#pragma once

// One self-contained HTML page for people: the folders, settings and counts, the groups, and a
// sortable, filterable table of every match whose side-by-side view of the two texts the page's own
// script builds when a pair is opened. The matches are kept until the scan ends, because the groups
// and the counts the page starts with are only known then; they travel in the page as JSON so that
// tens of thousands of pairs cost no markup until someone looks at them. Each matched file's
// beginning travels once, however many pairs it is in, and only as far as a comparison can reach.

#include "output/FormatSink.h"

#include <array>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace ravelin {

class HtmlSink final : public FormatSink {
  public:
    // The groups must be a sink of the same scan, added before this one.
    HtmlSink(std::ostream& out, const MatchGroups& groups) : out_(out), groups_(groups) {}

    void OnScanBegun(const ScanOptions& options) override;
    void OnPassBegun(ScanPass pass, int32_t files) override;
    void OnFileBegun(const FileBegun& event) override;
    void OnMatch(const MatchFound& event) override;
    void OnScanEnded(const ScanEnded& event) override;

  private:
    struct Pair {
        int32_t index1;
        std::string name1;  // UTF-8, as the page shows them
        std::string name2;
        int32_t percent;
        int32_t mode;
        int32_t shift;
        std::string words1;  // the compared words, UTF-8, separated by single spaces
        std::string words2;
        int32_t text1;  // into texts_
        int32_t text2;
    };

    int32_t TextOf(int slot, const std::string& name);

    std::ostream& out_;
    const MatchGroups& groups_;
    std::string folders_[2];
    std::array<std::string, 2> paths_;  // the folders as the file system names them
    size_t textBytes_ = 0;
    std::map<std::string, int32_t> textOf_;  // by path, so a self-scan holds each file once
    std::vector<std::string> texts_;         // UTF-8
    int32_t settings_[4] = {0, 0, 0, 0};     // N, T, S1, S2
    int32_t files_[2] = {0, 0};
    int64_t pairs_ = 0;
    std::vector<Pair> matches_;
};

}  // namespace ravelin
