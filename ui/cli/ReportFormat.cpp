#include "ui/cli/ReportFormat.h"

namespace ravelin::cli {
namespace {

std::string WithLineFeeds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace

std::string ReportText(std::string_view log) {
    std::string text = WithLineFeeds(log);
    if (!text.empty() && text.back() != '\n') {
        text.push_back('\n');
    }
    return text;
}

std::string MessageText(const std::string& title, const std::string& message) {
    std::string text = "ravelin-cli: ";
    if (!title.empty()) {
        text += title + "\n";
    }
    return text + WithLineFeeds(message) + "\n";
}

}  // namespace ravelin::cli
