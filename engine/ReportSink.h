#pragma once

// The report of a scan as the output box holds it: the folder lines, the progress of the first
// pass, a few lines per match and the summary, in a log capped at 64000 characters.

#include "engine/OutputLog.h"
#include "engine/ScanSink.h"
#include "engine/TextCatalog.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ravelin {

class ReportSink final : public ScanSink {
  public:
    explicit ReportSink(const TextCatalog& texts) : texts_(texts) {}

    OutputLog& Log() { return log_; }
    const OutputLog& Log() const { return log_; }
    // Set once the cap refused a text; nothing is appended after that.
    bool blnOutputFull = false;

    // The matches whose lines the report holds whole; the others came after the cap.
    int32_t MatchesInReport() const { return matchesInReport_; }
    // Where the last match's lines begin in the log; none when the cap refused them.
    std::optional<size_t> LastMatchAt() const { return lastMatchAt_; }

    void OnScanBegun(const ScanOptions& options) override;
    void OnFolderListed(const FolderListed& event) override;
    void OnPassBegun(ScanPass pass, int32_t files) override;
    void OnFileBegun(const FileBegun& event) override;
    void OnPassEnded(ScanPass pass) override;
    void OnMatch(const MatchFound& event) override;
    void OnScanEnded(const ScanEnded& event) override;

  private:
    void Append(std::string_view text, bool moveCaret);
    std::optional<size_t> TrackedMarker(const std::optional<size_t>& at,
                                        std::string_view text) const;
    void NoteMarkers();

    const TextCatalog& texts_;
    OutputLog log_;
    bool displayReducedText_ = true;
    int32_t numWordsToDisplay_ = 12;
    int32_t matchesInReport_ = 0;
    std::optional<size_t> lastMatchAt_;

    // Where the report itself wrote the progress counter, so that a "#" or the progress text
    // inside a folder or file name is never taken for it.
    std::optional<size_t> progressLineAt_;
    std::optional<size_t> counterAt_;
    uint64_t userEditsWhenNoted_ = 0;
};

}  // namespace ravelin
