#include "support/LibraryTextCatalog.h"

#include "files/TextEncoding.h"
#include "support/ProgramText.h"

namespace ravelin {

std::string LibraryTextCatalog::Text(int n) const {
    return Cp1252ToUtf8(ProgramText(n));
}

}  // namespace ravelin
