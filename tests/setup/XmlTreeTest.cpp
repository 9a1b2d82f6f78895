#include "setup/XmlTree.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using WinTest::TempFolder;

namespace {

struct ListFile {
    const char* description;
    std::string bytes;
    std::vector<std::string> names;   // expected "name" attributes, GBK
};

std::vector<ListFile> ListFiles()
{
    const std::string chinese = WinTest::ToGbk(L"数据\\配置.ini");
    return {
        {"UTF-8 with BOM, comments and Chinese names",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- written by the updater -->\r\n"
         "<root>\r\n  <files>\r\n    <!-- one per file -->\r\n    <file name=\"Zarvel.exe\"/>\r\n"
         "    <file name=\"" + WinTest::ToUtf8(L"数据\\配置.ini") + "\" size=\"3\"/>\r\n  </files>\r\n</root>\r\n",
         {"Zarvel.exe", chinese}},
        {"GBK declared and encoded",
         "<?xml version=\"1.0\" encoding=\"GBK\"?><root><files><f name=\"" + chinese
             + "\"/><f name=\"a.txt\"/></files></root>",
         {chinese, "a.txt"}},
        {"GB2312 declared",
         "<?xml version=\"1.0\" encoding=\"gb2312\"?><root><files><f name=\"" + chinese + "\"/></files></root>",
         {chinese}},
        {"plain, no declaration, mixed element names",
         "<root><files><file name=\"one.dll\"/><entry name=\"two.dll\"></entry><x name=\"\"/></files></root>",
         {"one.dll", "two.dll", ""}},
        {"empty files element", "<root><files/></root>", {}},
    };
}

std::string FileNode(int i) { return "root/files/@" + std::to_string(i); }

} // namespace

TEST(XmlTree, ReadsListsInEveryEncodingTheUpdaterMayWrite)
{
    TempFolder folder(L"xml");
    for (const ListFile& list : ListFiles()) {
        SCOPED_TRACE(list.description);
        const std::wstring path = folder / L"updatelist.xml";
        WinTest::WriteFile(path, list.bytes);
        XmlTree tree;
        ASSERT_TRUE(tree.Load(WinTest::ToGbk(path)));
        ASSERT_EQ(tree.ChildCount("root/files"), static_cast<int>(list.names.size()));
        for (std::size_t i = 0; i < list.names.size(); ++i)
            EXPECT_EQ(tree.Attribute(FileNode(static_cast<int>(i) + 1), "name"), list.names[i]);
        EXPECT_EQ(tree.Attribute(FileNode(static_cast<int>(list.names.size()) + 1), "name"), "");
    }
}

TEST(XmlTree, NodePaths)
{
    TempFolder folder(L"xml");
    const std::wstring path = folder / L"tree.xml";
    WinTest::WriteFile(path,
                       "<root a=\"r\"><other/><files a=\"first\"><i a=\"1\"/>text<i a=\"2\"><deep a=\"d\"/></i>"
                       "</files><files a=\"second\"><i a=\"s1\"/></files></root>");
    XmlTree tree;
    ASSERT_TRUE(tree.Load(WinTest::ToGbk(path)));

    struct Case {
        const char* path;
        const char* attribute;
        int children;
    } cases[] = {
        {"root", "r", 3},
        {"root/files", "first", 2},         // the first element of that name
        {"root/@3", "second", 1},           // any element by position
        {"root/@2/@2", "2", 1},
        {"root/files/@2/deep", "d", 0},
        {"root/files/@2/@1", "d", 0},
        {"root/files/@3", "", 0},           // past the end
        {"root/files/@0", "", 0},           // positions start at 1
        {"root/files/@x", "", 0},           // not a number: an element name
        {"root/missing", "", 0},
        {"other/files", "", 0},             // the first component is the document element
        {"", "", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tree.Attribute(c.path, "a"), c.attribute) << c.path;
        EXPECT_EQ(tree.ChildCount(c.path), c.children) << c.path;
    }
    EXPECT_EQ(tree.Attribute("root/files", "missing"), "");
}

TEST(XmlTree, FailedLoadsAndRelease)
{
    TempFolder folder(L"xml");
    XmlTree tree;
    EXPECT_FALSE(tree.Load(WinTest::ToGbk(folder / L"absent.xml")));
    WinTest::WriteFile(folder / L"bad.xml", "<root><files><f name=\"a\"></files>");
    EXPECT_FALSE(tree.Load(WinTest::ToGbk(folder / L"bad.xml")));
    EXPECT_EQ(tree.ChildCount("root/files"), 0);

    WinTest::WriteFile(folder / L"good.xml", "<root><files><f name=\"a\"/></files></root>");
    ASSERT_TRUE(tree.Load(WinTest::ToGbk(folder / L"good.xml")));
    EXPECT_EQ(tree.Attribute("root/files/@1", "name"), "a");
    tree.Release();
    EXPECT_EQ(tree.ChildCount("root/files"), 0);
    EXPECT_EQ(tree.Attribute("root/files/@1", "name"), "");
}

TEST(XmlTree, ExternalEntitiesAreNotFetched)
{
    TempFolder folder(L"xml");
    WinTest::WriteFile(folder / L"secret.txt", "victim");
    const std::string secret = WinTest::ToGbk(folder / L"secret.txt");
    WinTest::WriteFile(folder / L"ext.xml",
                       "<?xml version=\"1.0\"?><!DOCTYPE root [<!ENTITY e SYSTEM \"file:///" + secret
                           + "\">]><root><files><f name=\"&e;\"/></files></root>");
    XmlTree tree;
    // Refusing the document is fine too; reading the file is not.
    if (tree.Load(WinTest::ToGbk(folder / L"ext.xml"))) {
        EXPECT_NE(tree.Attribute("root/files/@1", "name"), "victim");
    }
}
