#include "ui/PauseMarker.h"

#include <string>
#include <string_view>

namespace ravelin {
namespace {

constexpr std::string_view kPauseMarker = " ... PAUSED";

}  // namespace

std::optional<size_t> PauseMarker::Where() const {
    return NotedText(report_.Log(), at_, editsWhenNoted_, kPauseMarker);
}

void PauseMarker::Append() {
    OutputLog& log = report_.Log();
    const size_t before = log.Text().size();
    AppendToOutput(log, "\r\n" + std::string(kPauseMarker), report_.blnOutputFull, true,
                   kOutputCap);
    if (log.Text().size() > before) {
        at_ = before + 2;
        editsWhenNoted_ = log.UserEdits();
    }
}

void PauseMarker::Remove() {
    if (const auto at = Where()) {
        report_.Log().CutAt(*at);
    }
    at_.reset();
    report_.Log().MoveCaretToEnd();
}

// A folder that ended the scan left the report as it was.
void PauseMarker::OnScanEnded(const ScanEnded& event) {
    if (event.how == ScanEnd::EmptyFolder || event.how == ScanEnd::UnreadableFolder) {
        return;
    }
    if (const auto at = Where()) {
        report_.Log().CutAt(*at);
    }
    at_.reset();
}

}  // namespace ravelin
