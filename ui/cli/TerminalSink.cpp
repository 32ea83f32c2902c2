#include "ui/cli/TerminalSink.h"

#include "engine/Message.h"
#include "files/TextEncoding.h"
#include "ui/cli/MessageText.h"

#include <cstdio>

namespace ravelin::cli {

void TerminalSink::ClearProgress() {
    if (progress_ != nullptr) {
        progress_->Finish();
    }
}

void TerminalSink::OnFolderListed(const FolderListed& event) {
    if (event.files > 0) {
        return;
    }
    ClearProgress();
    const Message message = FolderMessage(event, texts_);
    err_ << MessageText(message.title, message.text) << std::flush;
}

void TerminalSink::OnPassBegun(ScanPass pass, int32_t files) {
    const auto slot = static_cast<size_t>(pass);
    passStarted_[slot] = Clock::now();
    files_[slot] = files;
    if (progress_ != nullptr) {
        progress_->Show(pass, 0, files, matches_);
    }
}

void TerminalSink::OnFileBegun(const FileBegun& event) {
    if (progress_ != nullptr) {
        progress_->Show(event.pass, event.index + 1, event.files, matches_);
    }
}

void TerminalSink::OnFileUnreadable(const FileUnreadable& event) {
    ClearProgress();
    err_ << "ravelin-cli: cannot read '" << Utf8Lossy(event.path) << "': " << event.reason
         << " (counted as too small)\n";
}

void TerminalSink::OnScanEnded(const ScanEnded& /*event*/) {
    ended_ = Clock::now();
    ClearProgress();
}

std::string TerminalSink::StatsText() const {
    if (!passStarted_[0]) {
        return "";
    }
    const auto seconds = [](auto from, auto to) {
        return std::chrono::duration<double>(to - from).count();
    };
    const Clock::time_point end = ended_.value_or(Clock::now());
    const double first = seconds(*passStarted_[0], passStarted_[1].value_or(end));
    const double second = passStarted_[1] ? seconds(*passStarted_[1], end) : 0.0;
    const double pairs = static_cast<double>(files_[0]) * files_[1];
    char text[400];
    std::snprintf(text, sizeof text,
                  "ravelin-cli: 1st folder: %d files in %.3f s (%.0f files/s)\n"
                  "ravelin-cli: 2nd folder: %d files, %.0f pairs in %.3f s (%.0f pairs/s)\n",
                  files_[0], first, first > 0 ? files_[0] / first : 0.0, files_[1], pairs, second,
                  second > 0 ? pairs / second : 0.0);
    return text;
}

}  // namespace ravelin::cli
