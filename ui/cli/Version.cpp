#include "ui/cli/Version.h"

namespace ravelin::cli {

std::string VersionText() {
    return std::to_string(RAVELIN_VERSION_MAJOR) + "." + std::to_string(RAVELIN_VERSION_MINOR) +
           "0";
}

}  // namespace ravelin::cli
