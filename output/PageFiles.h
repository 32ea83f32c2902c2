#pragma once

// The HTML page's own files (output/page/), built into the program, so that a written page
// carries its markup, style and script and needs nothing beside it.

#include <string_view>

namespace ravelin::page {

extern const std::string_view kReportHtml;
extern const std::string_view kReportCss;
extern const std::string_view kReportJs;
extern const std::string_view kPassagesHtml;
extern const std::string_view kPassagesCss;
extern const std::string_view kPassagesJs;
extern const std::string_view kCommonJs;

}  // namespace ravelin::page
