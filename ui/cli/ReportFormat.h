#pragma once

// How the command line writes a scan: the report as the output box would hold it, or one line
// per match for other programs.

#include "engine/ScanDriver.h"

#include <string>
#include <string_view>

namespace ravelin::cli {

// The log with each CR LF written as a line feed and a line feed after a last line without one.
std::string ReportText(std::string_view log);

// Tab-separated: 1st-folder name, 2nd-folder name, percentage, mode, offset, and a line feed.
// Backslash, tab, line feed and carriage return in a name are written as \\, \t, \n and \r, so
// that every match is one line of five fields whatever the names hold.
std::string TsvLine(const MatchRecord& match);

// A message box's text for a terminal: its title, then the message.
std::string MessageText(const std::string& title, const std::string& message);

}  // namespace ravelin::cli
