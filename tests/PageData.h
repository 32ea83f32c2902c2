#pragma once

// The data an HTML page carries, its parts joined as the page's script joins them: "texts" and
// "rows" over all parts, and the last part's "summary".

#include <nlohmann/json.hpp>
#include <string>

namespace ravelin::testing {

inline nlohmann::json PageData(const std::string& html) {
    const std::string open = R"(<script type="application/json" class="ravelin-data">)";
    nlohmann::json data = {{"texts", nlohmann::json::array()}, {"rows", nlohmann::json::array()}};
    for (size_t at = html.find(open); at != std::string::npos; at = html.find(open, at)) {
        at += open.size();
        const auto part = nlohmann::json::parse(html.substr(at, html.find("</script>", at) - at));
        for (const char* list : {"texts", "rows"}) {
            for (const auto& item : part[list]) {
                data[list].push_back(item);
            }
        }
        if (part.contains("summary")) {
            data["summary"] = part["summary"];
        }
    }
    return data;
}

}  // namespace ravelin::testing
