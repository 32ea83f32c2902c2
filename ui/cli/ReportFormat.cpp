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

std::string TsvField(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (const char c : name) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out.push_back(c);
        }
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

std::string TsvLine(const MatchRecord& match) {
    return TsvField(match.name1) + '\t' + TsvField(match.name2) + '\t' +
           std::to_string(match.percent) + '\t' + std::to_string(match.mode) + '\t' +
           std::to_string(match.offset) + '\n';
}

std::string MessageText(const std::string& title, const std::string& message) {
    std::string text = "ravelin-cli: ";
    if (!title.empty()) {
        text += title + "\n";
    }
    return text + WithLineFeeds(message) + "\n";
}

}  // namespace ravelin::cli
