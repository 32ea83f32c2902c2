#include "output/PassageTsvSink.h"

#include "output/TsvSink.h"

namespace ravelin {

void PassageTsvSink::OnPairFound(const PassagePairFound& event) {
    const PairPassages& pair = event.pair;
    names_.Update(pair.index1, event.name1, pair.index2, event.name2,
                  [](const std::string& name, bool /*first*/) { return TsvField(name); });
    line_ = names_.First();
    line_ += '\t';
    line_ += names_.Second();
    const int32_t longest = pair.passages[static_cast<size_t>(pair.longest)].equal;
    for (const int32_t number : {pair.percent1, pair.percent2, pair.shared1, pair.shared2,
                                 static_cast<int32_t>(pair.passages.size()), longest}) {
        line_ += '\t';
        line_ += std::to_string(number);
    }
    line_ += '\n';
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
}

}  // namespace ravelin
