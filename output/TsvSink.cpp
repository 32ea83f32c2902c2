#include "output/TsvSink.h"

namespace ravelin {

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

void TsvSink::OnMatch(const MatchFound& event) {
    names_.Update(event, [](const std::string& name, bool /*first*/) { return TsvField(name); });
    line_ = names_.First();
    line_ += '\t';
    line_ += names_.Second();
    for (const int32_t number : {event.percent, event.mode, event.shift}) {
        line_ += '\t';
        line_ += std::to_string(number);
    }
    line_ += '\n';
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
}

}  // namespace ravelin
