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

std::string TsvLine(const MatchFound& match) {
    return TsvField(match.name1) + '\t' + TsvField(match.name2) + '\t' +
           std::to_string(match.percent) + '\t' + std::to_string(match.mode) + '\t' +
           std::to_string(match.shift) + '\n';
}

}  // namespace ravelin
