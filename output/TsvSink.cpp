#include "output/TsvSink.h"

#include "files/StringRoutines.h"

namespace ravelin {

std::string TsvField(std::string_view name) {
    return EscapedName(name);
}

void TsvSink::OnMatch(const MatchFound& event) {
    names_.Update(event, [](const std::string& name, bool /*first*/) { return EscapedName(name); });
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
