#pragma once

// The window's pause marker in its report: Pause writes it on a line of its own at the end,
// Continue and the end of the scan take it away again, also after the user edited the box. It is
// the window's, not the report's: no other front end pauses. Added to a scan before the report,
// so that the marker is gone when the report writes its end.

#include "engine/ReportSink.h"

#include <cstdint>
#include <optional>

namespace ravelin {

class PauseMarker final : public ScanSink {
  public:
    explicit PauseMarker(ReportSink& report) : report_(report) {}

    void Append();
    void Remove();

    void OnScanBegun(const ScanOptions& /*options*/) override { at_.reset(); }
    void OnScanEnded(const ScanEnded& event) override;

  private:
    std::optional<size_t> Where() const;

    ReportSink& report_;
    std::optional<size_t> at_;  // where it was written, so that a name holding its text is safe
    uint64_t editsWhenNoted_ = 0;
};

}  // namespace ravelin
