#include "engine/Message.h"

#include "engine/ScanOptions.h"
#include "engine/ScanSink.h"
#include "files/StringRoutines.h"
#include "files/TextEncoding.h"

namespace ravelin {

Message FolderMessage(const FolderListed& event, const TextCatalog& texts) {
    const bool first = event.pass == ScanPass::First;
    const std::string path = Utf8Lossy(event.path);
    std::string text = event.unreadable == nullptr
                           ? "There are no '" + std::string(kTextFileExtension) + "' files in the " +
                                 std::string(first ? "first" : "second") + " folder:\r\n" + path
                           : "The " + Ordinal(first ? 1 : 2) + " folder cannot be read:\r\n" +
                                 path + "\r\n" + event.unreadable->message;
    return {std::move(text), first ? "Get 1st folder files" : texts.Text(14),
            MessageIcon::Exclamation};
}

}  // namespace ravelin
