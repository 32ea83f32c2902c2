#include "TempFolder.h"
#include "ui/CatalogFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravelin {
namespace {

TEST(CatalogFile, ReadsBlocksOfKeyedLinesAndNothingFromAFileThatCannotBeRead) {
    const testing::TempFolder folder;
    const std::string file =
        folder.Write("catalog.txt",
                     "# a comment: with a colon\ntext: before any title\n\n"
                     "title: Tallyquill: counts\r\ntext:   first line  \r\n  text: second: line\n"
                     "colour: ignored\na line without a key\npage: tallyquill.htm\n"
                     "title:\ntext: a block without a title\npage: untitled.htm\n"
                     "title: Quietclip\ntext: no page\n");
    const std::vector<CatalogItem> expected = {
        {"Tallyquill: counts", {"first line", "second: line"}, "tallyquill.htm"},
        {"Quietclip", {"no page"}, ""},
    };
    EXPECT_EQ(LoadCatalogFile(file), expected);
    EXPECT_TRUE(LoadCatalogFile(folder / "missing.txt").empty());
    EXPECT_TRUE(LoadCatalogFile(folder.Path().string()).empty());  // a folder
}

TEST(CatalogFile, PageAddressesLieOnTheMakersSite) {
    for (const char* page : {"linewright.htm", "/linewright.htm"}) {
        EXPECT_EQ(CatalogPageAddress(page), "https://www.quillmere.example/linewright.htm");
    }
}

}  // namespace
}  // namespace ravelin
