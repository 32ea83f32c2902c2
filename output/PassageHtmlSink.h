#pragma once

// One self-contained HTML page of a passage scan (output/page/passages.*): the folders and
// counts, a sortable, filterable table of the pairs, and for an opened pair both whole texts with
// every passage marked on both sides. Each file's text travels once however many pairs name it;
// each row carries its passages as places in those texts, in the units the page's script counts,
// so that a mark is exactly the passage's bytes as decoded. The data go out in parts as the scan
// goes: what the sink keeps grows with the files shown, never with the pairs, and the rows stop
// at a number a browser still opens; the page says how many it left out.

#include "output/PageText.h"
#include "output/PassageFormatSink.h"

#include <array>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>

namespace ravelin {

class PassageHtmlSink final : public PassageFormatSink {
  public:
    // A pair of the real folder holds some ten passages: 100,000 rows make a page of some
    // 100 MB with the texts.
    static constexpr int64_t kMaxRows = 100000;
    // A larger file is named but not shown: a browser holds a text of this size still well.
    static constexpr uint64_t kMostTextBytes = uint64_t{64} << 20;

    explicit PassageHtmlSink(std::ostream& out, int64_t maxRows = kMaxRows);

    void OnFolderListed(const FolderListed& event) override;
    void OnFileUnreadable(const FileUnreadable& event) override;
    void OnPairFound(const PassagePairFound& event) override;
    void OnScanEnded(const PassageScanEnded& event) override;
    std::string Notice() const override;

  private:
    struct Text {
        int32_t number;
        Utf16Places places;
    };
    const Text& TextOf(int slot, const std::string& name);

    std::ostream& out_;
    int64_t maxRows_;
    std::array<std::string, 2> folders_;
    std::map<std::string, Text> texts_;  // by path, so a self-scan holds each file once
    std::string partTexts_;  // JSON array elements not yet written, each followed by a comma
    std::string partRows_;
    std::array<int32_t, 2> files_ = {0, 0};
    int32_t unreadable_ = 0;
    int64_t rows_ = 0;
    int64_t leftOut_ = 0;
};

}  // namespace ravelin
