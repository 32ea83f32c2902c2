#include "engine/TsvSink.h"

namespace ravelin {
namespace {

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

void TsvSink::OnMatch(const MatchFound& event) {
    const auto index1 = static_cast<size_t>(event.index1);
    if (index1 >= names1_.size()) {
        names1_.resize(index1 + 1);
    }
    std::string& name1 = names1_[index1];
    if (name1.empty()) {
        name1 = TsvField(event.name1) + '\t';  // the tab keeps an empty name apart from none
    }
    if (event.index2 != index2_) {
        index2_ = event.index2;
        name2_ = TsvField(event.name2);
    }
    line_ = name1;
    line_ += name2_;
    for (const int32_t number : {event.percent, event.mode, event.shift}) {
        line_ += '\t';
        line_ += std::to_string(number);
    }
    line_ += '\n';
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
}

}  // namespace ravelin
