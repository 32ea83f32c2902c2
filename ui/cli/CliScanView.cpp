#include "ui/cli/CliScanView.h"

#include "files/TextEncoding.h"
#include "ui/cli/Interrupt.h"
#include "ui/cli/ReportFormat.h"

namespace ravelin::cli {

std::string CliScanView::SettingText(SettingField field) const {
    return options_.settings.at(field);
}

void CliScanView::ShowMessage(const std::string& text, const std::string& title,
                              MessageIcon /*icon*/) {
    if (progress_ != nullptr) {
        progress_->Finish();
    }
    err_ << MessageText(title, text) << std::flush;
}

void CliScanView::ShowProgress(const ScanProgress& progress) {
    if (progress.file == 0) {
        const bool first = progress.pass == ScanProgress::Pass::First;
        (first ? times_.firstPass : times_.secondPass) = PassTimes::Clock::now();
        times_.files[first ? 0 : 1] = progress.files;
    }
    if (progress_ != nullptr) {
        progress_->Show(progress);
    }
}

void CliScanView::NoteUnreadableFile(const std::string& path, const std::string& description) {
    if (progress_ != nullptr) {
        progress_->Finish();
    }
    err_ << "ravelin-cli: cannot read '" << Utf8Lossy(path) << "': " << description
         << " (counted as too small)\n";
}

void CliScanView::Yield() {
    if (!interrupted_ && InterruptHandler::Requested() && driver_ != nullptr) {
        interrupted_ = true;
        driver_->cmdQuit_Click();  // the Stop button
    }
}

}  // namespace ravelin::cli
