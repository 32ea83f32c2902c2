#pragma once

// What a terminal shows of a scan beside its report: a progress bar, the files that could not be
// read or were left out for their names, the message of a folder that stopped the scan, and the
// time of each pass for --stats.

#include "engine/ScanSink.h"
#include "engine/TextCatalog.h"
#include "ui/cli/ProgressBar.h"

#include <chrono>
#include <optional>
#include <ostream>
#include <string>

namespace ravelin::cli {

class TerminalSink final : public ScanSink {
  public:
    // `progress` may be null: no bar when the error stream is no terminal.
    TerminalSink(const TextCatalog& texts, std::ostream& err, ProgressBar* progress)
        : texts_(texts), err_(err), progress_(progress) {}

    void OnFolderListed(const FolderListed& event) override;
    void OnPassBegun(ScanPass pass, int32_t files) override;
    void OnFileBegun(const FileBegun& event) override;
    void OnFileRefused(const FileRefused& event) override;
    void OnFileUnreadable(const FileUnreadable& event) override;
    void OnMatch(const MatchFound& event) override { matches_ = event.matchNumber; }
    void OnScanEnded(const ScanEnded& event) override;

    // The files, pairs and time of each pass, as --stats prints them.
    std::string StatsText() const;

  private:
    using Clock = std::chrono::steady_clock;
    void ClearProgress();

    const TextCatalog& texts_;
    std::ostream& err_;
    ProgressBar* progress_;
    int32_t matches_ = 0;
    std::optional<Clock::time_point> passStarted_[2];
    std::optional<Clock::time_point> ended_;
    int32_t files_[2] = {0, 0};
};

}  // namespace ravelin::cli
