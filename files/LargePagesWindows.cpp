#include "files/LargePages.h"

namespace ravelin {

// Large pages on Windows need a privilege that users do not hold.
void AdviseLargePages(void* /*data*/, size_t /*bytes*/) {}

}  // namespace ravelin
