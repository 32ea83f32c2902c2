#pragma once

// One format's output of one scan: added to a scan as its sink (or fed a recorded scan), it
// gathers the groups first when the format needs them and lets the format's sink write.

#include "output/Formats.h"

#include <memory>
#include <ostream>
#include <string>

namespace ravelin {

class ScanOutput final : public ScanSink {
  public:
    ScanOutput(const FormatRow& format, std::ostream& out, const TextCatalog& texts);

    void OnScanBegun(const ScanOptions& options) override;
    void OnFolderListed(const FolderListed& event) override;
    void OnPassBegun(ScanPass pass, int32_t files) override;
    void OnFileBegun(const FileBegun& event) override;
    void OnFileUnreadable(const FileUnreadable& event) override;
    void OnMatch(const MatchFound& event) override;
    void OnPassEnded(ScanPass pass) override;
    void OnScanEnded(const ScanEnded& event) override;

    const FormatRow& Format() const { return format_; }
    // What the output left out, once the scan has ended; empty when nothing was.
    std::string Notice() const { return sink_->Notice(); }

  private:
    template <class... Params, class... Args>
    void Forward(void (ScanSink::*handler)(Params...), const Args&... args);

    const FormatRow& format_;
    MatchGroups groups_;
    std::unique_ptr<FormatSink> sink_;
};

}  // namespace ravelin
