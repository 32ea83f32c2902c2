#include "output/SaveResults.h"

#include "output/Output.h"
#include "output/ScanOutput.h"

#include <sstream>

namespace ravelin {

std::optional<Error> SaveResults(const ScanRecording& recording, const FormatRow& format,
                                 const std::string& path, const TextCatalog& texts) {
    // Only a file is written here; the standard output is never reached.
    std::ostringstream unused;
    Output output(path, unused);
    if (auto error = output.Open()) {
        return error;
    }
    ScanOutput result(format, output.Stream(), texts);
    recording.Replay(result);
    return output.Finish();
}

}  // namespace ravelin
