#pragma once

// One self-contained HTML page for people: the folders, settings and counts, the groups, and a
// sortable, filterable table of the matches whose side-by-side view of the two texts the page's
// own script builds when a pair is opened (output/page/). The page is written as the scan goes:
// the data travels in parts, each matched file's beginning once however many pairs it is in,
// with the places of its words, and each row only its numbers and which compared words were
// equal. So the memory a page takes grows with the files matched, never with the matches, and
// the rows stop at a number a browser still opens at once; the page says how many it left out.

#include "output/FormatSink.h"

#include <array>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>

namespace ravelin {

class HtmlSink final : public FormatSink {
  public:
    // The rows a page lists at most: 250,000 rows make a page of some 30 MB.
    static constexpr int64_t kMaxRows = 250000;

    HtmlSink(std::ostream& out, const MatchGroups& groups, int64_t maxRows = kMaxRows)
        : out_(out), groups_(groups), maxRows_(maxRows) {}

    void OnScanBegun(const ScanOptions& options) override;
    void OnPassBegun(ScanPass pass, int32_t files) override;
    void OnFileBegun(const FileBegun& event) override;
    void OnMatch(const MatchFound& event) override;
    void OnScanEnded(const ScanEnded& event) override;
    std::string Notice() const override;

  private:
    int32_t TextOf(int slot, const std::string& name);
    void WritePart(const std::string& extra);

    std::ostream& out_;
    const MatchGroups& groups_;
    int64_t maxRows_;
    ScanOptions options_;
    std::array<std::string, 2> paths_;  // the folders as the file system names them
    int32_t wordsShown_ = 0;
    size_t textBytes_ = 0;
    std::map<std::string, int32_t> textOf_;  // by path, so a self-scan holds each file once
    int32_t texts_ = 0;
    std::string partTexts_;  // JSON array elements not yet written, each followed by a comma
    std::string partRows_;
    std::array<int32_t, 2> files_ = {0, 0};
    int64_t pairs_ = 0;
    int64_t rows_ = 0;
    int64_t leftOut_ = 0;
};

}  // namespace ravelin
