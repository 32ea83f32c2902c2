#include "ui/cli/CliScanView.h"

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
    if (progress_ != nullptr) {
        progress_->Show(progress);
    }
}

void CliScanView::Yield() {
    if (!interrupted_ && InterruptHandler::Requested() && driver_ != nullptr) {
        interrupted_ = true;
        driver_->cmdQuit_Click();  // the Stop button
    }
}

}  // namespace ravelin::cli
