#pragma once

// The messages of a window, written for a terminal.

#include <string>

namespace ravelin::cli {

// A message box's text for a terminal: its title, then the message.
std::string MessageText(const std::string& title, const std::string& message);

}  // namespace ravelin::cli
