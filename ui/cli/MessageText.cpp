#include "ui/cli/MessageText.h"

#include "files/StringRoutines.h"

namespace ravelin::cli {

std::string MessageText(const std::string& title, const std::string& message) {
    std::string text = "ravelin-cli: ";
    if (!title.empty()) {
        text += title + "\n";
    }
    return text + CrLfToLf(message) + "\n";
}

}  // namespace ravelin::cli
