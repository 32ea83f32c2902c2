#include "TempFolder.h"
#include "ui/CatalogFile.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace ravelin {

void PrintTo(const CatalogItem& item, std::ostream* out) {
    *out << "{" << item.title << " | " << item.description.size() << " lines | " << item.page
         << "}";
}

namespace {

using testing::TempFolder;

std::vector<CatalogItem> Parse(const std::string& text) {
    std::istringstream in(text);
    return ParseCatalog(in);
}

TEST(ParseCatalog, ReadsBlocksOfKeyedLines) {
    const std::string text =
        "# a comment: with a colon\n"
        "text: before any title\n"
        "\n"
        "title: Tallyquill: counts\r\n"
        "text:   first line  \r\n"
        "  text: second: line\n"
        "colour: ignored\n"
        "a line without a key\n"
        "page: tallyquill.htm\n"
        "title:\n"
        "text: a block without a title\n"
        "page: untitled.htm\n"
        "title: Quietclip\n"
        "text: no page\n";
    const std::vector<CatalogItem> expected = {
        {"Tallyquill: counts", {"first line", "second: line"}, "tallyquill.htm"},
        {"Quietclip", {"no page"}, ""},
    };
    EXPECT_EQ(Parse(text), expected);
}

TEST(LoadCatalogFile, HasNoItemsWhenTheFileCannotBeRead) {
    const TempFolder folder;
    EXPECT_TRUE(LoadCatalogFile(folder / "missing.txt").empty());
    EXPECT_TRUE(LoadCatalogFile(folder.Path().string()).empty());  // a folder
}

TEST(LoadCatalogFile, ReadsTheItemsOfTheFile) {
    const TempFolder folder;
    const std::string file =
        folder.Write("catalog.txt", "title: Foldermark\ntext: compares\npage: f.htm\n");
    const std::vector<CatalogItem> expected = {{"Foldermark", {"compares"}, "f.htm"}};
    EXPECT_EQ(LoadCatalogFile(file), expected);
}

TEST(CatalogPageAddress, PutsThePathAfterTheMakersSite) {
    EXPECT_EQ(CatalogPageAddress("linewright.htm"), "https://www.quillmere.example/linewright.htm");
    EXPECT_EQ(CatalogPageAddress("/linewright.htm"),
              "https://www.quillmere.example/linewright.htm");
}

TEST(ShippedCatalog, EveryProgramHasATitleADescriptionAndAPage) {
    const std::vector<CatalogItem> items = LoadCatalogFile(RAVELIN_SHIPPED_CATALOG);
    EXPECT_GE(items.size(), 4U);
    for (const CatalogItem& item : items) {
        EXPECT_FALSE(item.description.empty()) << item.title;
        EXPECT_TRUE(item.page.ends_with(".htm")) << item.title;
    }
}

}  // namespace
}  // namespace ravelin
