#pragma once

// How the command line writes the report and the messages of a window for a terminal.

#include "engine/MatchGroups.h"

#include <string>
#include <string_view>

namespace ravelin::cli {

// The log with each CR LF written as a line feed and a line feed after a last line without one.
std::string ReportText(std::string_view log);

// One paragraph per group of copies: the full path of each member, a line each, and a blank line
// after the group.
std::string GroupsText(const MatchGroups& groups);

// A message box's text for a terminal: its title, then the message.
std::string MessageText(const std::string& title, const std::string& message);

}  // namespace ravelin::cli
