#pragma once

// How the command line writes the report and the messages of a window for a terminal.

#include <string>
#include <string_view>

namespace ravelin::cli {

// The log with each CR LF written as a line feed and a line feed after a last line without one.
std::string ReportText(std::string_view log);

// A message box's text for a terminal: its title, then the message.
std::string MessageText(const std::string& title, const std::string& message);

}  // namespace ravelin::cli
