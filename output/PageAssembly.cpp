#include "output/PageAssembly.h"

namespace ravelin {
namespace {

constexpr std::string_view kDataMark = "<!-- data -->\n";

// An HTML parser ends a script at "</" and treats "<!--" specially; JSON may say both otherwise.
std::string InScript(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '<' && text.substr(i + 1, 1) == "/") {
            safe += "<\\/";
            ++i;
        } else if (text[i] == '<' && text.substr(i + 1, 3) == "!--") {
            safe += "\\u003c";
        } else {
            safe += text[i];
        }
    }
    return safe;
}

void Inline(std::string& markup, const std::string& link, const std::string& inlined) {
    const size_t at = markup.find(link);
    if (at != std::string::npos) {
        markup.replace(at, link.size(), inlined);
    }
}

}  // namespace

std::string PageJson(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

PageFrame FramePage(std::string_view html, const std::vector<PageFile>& files) {
    std::string markup(html);
    for (const PageFile& file : files) {
        const std::string name(file.name);
        const std::string content(file.content);
        Inline(markup, R"(<link rel="stylesheet" href=")" + name + "\">\n",
               "<style>\n" + content + "</style>\n");
        Inline(markup, R"(<script src=")" + name + "\"></script>\n",
               "<script>\n" + content + "</script>\n");
    }
    const size_t data = markup.find(kDataMark);
    return {markup.substr(0, data), markup.substr(data + kDataMark.size())};
}

void WriteDataPart(std::ostream& out, std::string& texts, std::string& rows,
                   const std::string& extra) {
    const auto list = [](std::string& items) {
        if (!items.empty()) {
            items.pop_back();
        }
        return "[" + items + "]";
    };
    out << R"(<script type="application/json" class="ravelin-data">)"
        << InScript("{\"texts\":" + list(texts) + ",\"rows\":" + list(rows) + extra + "}")
        << "</script>\n";
    texts.clear();
    rows.clear();
}

}  // namespace ravelin
