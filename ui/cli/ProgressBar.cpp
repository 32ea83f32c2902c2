#include "ui/cli/ProgressBar.h"

#include "files/StringRoutines.h"

#include <cstdio>
#include <string>

namespace ravelin::cli {
namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

ProgressBar::ProgressBar(std::ostream& terminal)
    : terminal_(terminal), started_(std::chrono::steady_clock::now()) {}

void ProgressBar::Show(ScanPass pass, int32_t file, int32_t files, int32_t matches) {
    const auto now = std::chrono::steady_clock::now();
    const bool last = file == files;
    if (drawn_ && !last && now - lastDrawn_ < kRedrawInterval) {
        return;  // a terminal cannot show more, and drawing would cost more than scanning
    }
    lastDrawn_ = now;
    drawn_ = true;
    const int filled = files > 0 ? kBarWidth * file / files : 0;
    const double seconds = std::chrono::duration<double>(now - started_).count();
    char line[160];
    std::snprintf(line, sizeof line, "\r%s folder [%s%s] %d/%d  %d matches  %.1f s\x1b[K",
                  Ordinal(static_cast<int32_t>(pass) + 1).c_str(),
                  std::string(static_cast<size_t>(filled), '#').c_str(),
                  std::string(static_cast<size_t>(kBarWidth - filled), '.').c_str(), file, files,
                  matches, seconds);
    terminal_ << line << std::flush;
}

void ProgressBar::Finish() {
    if (drawn_) {
        terminal_ << "\r\x1b[K" << std::flush;
        drawn_ = false;
    }
}

}  // namespace ravelin::cli
