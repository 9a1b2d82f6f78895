// The uninstaller end to end: the real executable stored as uninstall.exe,
// a real installation folder, registry entries and shortcuts, answered
// through its system message boxes.
#include "e2e/SetupProgram.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <vector>

using namespace E2e;

namespace {

const wchar_t kSettingsKey[] = L"Software\\Zarvel";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zarvel";
const wchar_t* const kUninstallValues[] = {L"Comments",  L"DisplayIcon",   L"DisplayName",
                                           L"HelpLink",  L"InstallLocation", L"Publisher",
                                           L"UninstallPath", L"UninstallString", L"URLInfoAbout"};
const wchar_t kDoneText[] = L"Tavrin 卸载完毕！\r\n\r\n剩余文件您可以手动删除：\r\n\r\n";

std::wstring SpecialFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
    return path;
}

std::wstring DesktopLink() { return SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Tavrin.lnk"; }
std::wstring PublisherFolder() { return SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Mervix"; }
std::wstring ProgramFolderLinks() { return PublisherFolder() + L"\\Zarvel"; }

enum class ListEncoding { Gbk, Utf8WithBom };

// An "updatelist.xml" naming names, in the shape the application writes.
std::string FileList(const std::vector<std::wstring>& names, ListEncoding encoding)
{
    std::string xml = encoding == ListEncoding::Gbk ? "<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n"
                                                    : "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                                      "<!-- kept up to date by the updater -->\r\n";
    xml += "<root>\r\n  <files>\r\n";
    for (const std::wstring& name : names) {
        const std::string bytes = encoding == ListEncoding::Gbk ? ToGbk(name) : ToUtf8(name);
        xml += "    <!-- next -->\r\n    <file name=\"" + bytes + "\" version=\"1.0.0.1\"/>\r\n";
    }
    xml += "  </files>\r\n</root>\r\n";
    return xml;
}

// One installed copy: a folder with files, the registry entries and shortcuts
// the installer writes, and the uninstaller stored in the folder.
class Uninstall : public testing::Test {
protected:
    void SetUp() override
    {
        CleanUp();
        m_folder = m_root / L"安装 Tavrin";
        MakeFolders(m_folder);
    }
    void TearDown() override { CleanUp(); }

    static void CleanUp()
    {
        RegDeleteTree(HKEY_CURRENT_USER, kSettingsKey);
        RegDeleteTree(HKEY_LOCAL_MACHINE, kUninstallKey);
        UniqueRegKey run;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, run.put()) == ERROR_SUCCESS)
            RegDeleteValueW(run.get(), L"Zarvel");
        RemoveTree(DesktopLink());
        RemoveTree(PublisherFolder());
    }

    const std::wstring& Folder() const { return m_folder; }
    std::wstring In(const std::wstring& relative) const { return m_folder + L"\\" + relative; }

    void CreateFiles(const std::vector<std::wstring>& names) const
    {
        for (const std::wstring& name : names) {
            const std::wstring path = In(name);
            MakeFolders(path.substr(0, path.find_last_of(L'\\')));
            WriteFile(path, "content of " + ToGbk(name));
        }
    }

    void Register() const
    {
        RegWrite(HKEY_CURRENT_USER, kSettingsKey, L"InstallPath", m_folder);
        RegWrite(HKEY_CURRENT_USER, kSettingsKey, L"AutoStartup", L"1");
        RegWrite(HKEY_CURRENT_USER, kRunKey, L"Zarvel", L"\"" + In(L"Zarvel.exe") + L"\"");
        for (const wchar_t* value : kUninstallValues)
            RegWrite(HKEY_LOCAL_MACHINE, kUninstallKey, value, L"x");
        MakeFolders(ProgramFolderLinks());
        CreateShortcut(DesktopLink(), In(L"Zarvel.exe"));
        CreateShortcut(ProgramFolderLinks() + L"\\Tavrin.lnk", In(L"Zarvel.exe"));
        CreateShortcut(ProgramFolderLinks() + L"\\卸载.lnk", In(L"uninstall.exe"));
    }

    // Starts folder\uninstall.exe, checks the question, answers it; after Yes
    // returns the text of the closing message (pressing its OK).
    std::wstring RunUninstaller(bool answerYes) const
    {
        const Process process = StartSetupAs(In(L"uninstall.exe"));
        const Box question = NextMessageBox(process);
        EXPECT_TRUE(question.window) << "no confirmation question";
        if (!question.window)
            return {};
        EXPECT_EQ(question.caption, L"卸载 Tavrin");
        EXPECT_EQ(question.text, L"是否卸载 Tavrin ？");
        PressButton(question.window, answerYes ? IDYES : IDNO);
        std::wstring text;
        if (answerYes) {
            EXPECT_TRUE(WaitGone(question.window));
            const Box done = NextMessageBox(process);
            EXPECT_TRUE(done.window) << "no closing message";
            if (done.window) {
                EXPECT_EQ(done.caption, L"卸载完毕");
                text = done.text;
                PressButton(done.window, IDOK);
            }
        }
        EXPECT_TRUE(process.WaitExit(kProgramTimeout));
        EXPECT_EQ(process.ExitCode(), 0u);
        return text;
    }

    static void ExpectRegistrationGone()
    {
        EXPECT_FALSE(RegRead(HKEY_CURRENT_USER, kRunKey, L"Zarvel"));
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
        EXPECT_FALSE(Exists(DesktopLink()));
        EXPECT_FALSE(Exists(PublisherFolder()));
        // The user's settings stay, InstallPath among them.
        EXPECT_TRUE(RegRead(HKEY_CURRENT_USER, kSettingsKey, L"AutoStartup"));
    }

    TempFolder m_root{L"inst"};
    std::wstring m_folder;
};

} // namespace

TEST_F(Uninstall, AnsweringNoChangesNothing)
{
    const std::vector<std::wstring> files = {L"Zarvel.exe", L"data\\a.dat"};
    CreateFiles(files);
    WriteFile(In(L"updatelist.xml"), FileList(files, ListEncoding::Gbk));
    CreateFiles({L"download\\part.tmp"});
    Register();

    RunUninstaller(false);

    for (const auto& name : files)
        EXPECT_TRUE(Exists(In(name))) << ToGbk(name);
    EXPECT_TRUE(Exists(In(L"download\\part.tmp")));
    EXPECT_TRUE(Exists(In(L"updatelist.xml")));
    EXPECT_TRUE(RegRead(HKEY_CURRENT_USER, kRunKey, L"Zarvel"));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_TRUE(Exists(DesktopLink()));
    EXPECT_TRUE(Exists(ProgramFolderLinks() + L"\\卸载.lnk"));
}

TEST_F(Uninstall, DeletesWhatTheListNamesAndTheRegistration)
{
    struct Case {
        const char* description;
        ListEncoding encoding;
        std::vector<std::wstring> listed;
    } cases[] = {
        {"GBK list: Chinese names, subfolders, a read-only file", ListEncoding::Gbk,
         {L"Zarvel.exe", L"Tavrin.dll", L"数据\\配置.ini", L"skins\\dark\\bg.png", L"readonly.txt"}},
        {"UTF-8 list with a byte-order mark and comments", ListEncoding::Utf8WithBom,
         {L"Zarvel.exe", L"说明.txt", L"lib\\x.dll"}},
        {"empty files element", ListEncoding::Gbk, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        TearDown();
        SetUp();
        const std::vector<std::wstring> unlisted = {L"user.cfg", L"数据\\mine.txt"};
        CreateFiles(c.listed);
        CreateFiles(unlisted);
        CreateFiles({L"download\\pkg\\1.bin", L"download\\2.bin"});
        if (Exists(In(L"readonly.txt")))
            SetFileAttributesW(In(L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        WriteFile(In(L"updatelist.xml"), FileList(c.listed, c.encoding));
        Register();

        const std::wstring text = RunUninstaller(true);

        EXPECT_EQ(text, kDoneText + Folder() + L"\\");
        for (const auto& name : c.listed)
            EXPECT_FALSE(Exists(In(name))) << ToGbk(name);
        for (const auto& name : unlisted)
            EXPECT_TRUE(Exists(In(name))) << ToGbk(name);
        if (!c.listed.empty()) {
            EXPECT_TRUE(Exists(In(L"skins\\dark")) || Exists(In(L"lib")));  // subfolders stay
        }
        EXPECT_FALSE(Exists(In(L"download")));
        EXPECT_FALSE(Exists(In(L"updatelist.xml")));
        EXPECT_TRUE(Exists(In(L"uninstall.exe")));
        EXPECT_TRUE(Exists(Folder()));
        ExpectRegistrationGone();
    }
}

TEST_F(Uninstall, NamesReachingOutsideTheFolderDeleteNothing)
{
    const std::wstring rootVictim = L"C:\\victim.txt";
    const std::wstring siblingVictim = m_root / L"victim.txt";
    WriteFile(rootVictim, "precious");
    WriteFile(siblingVictim, "precious");
    CreateFiles({L"ok.txt"});
    const std::vector<std::wstring> names = {
        L"..\\victim.txt", L"C:\\victim.txt", L"\\victim.txt", L"/victim.txt", siblingVictim,
        L"sub\\..\\..\\victim.txt", L"C:victim.txt", L"ok.txt",
    };
    WriteFile(In(L"updatelist.xml"), FileList(names, ListEncoding::Gbk));
    Register();

    RunUninstaller(true);

    EXPECT_EQ(ReadFile(rootVictim), "precious");
    EXPECT_EQ(ReadFile(siblingVictim), "precious");
    EXPECT_FALSE(Exists(In(L"ok.txt")));
    DeleteFileW(rootVictim.c_str());
}

TEST_F(Uninstall, WithoutAListOnlyTheRegistrationGoes)
{
    CreateFiles({L"Zarvel.exe", L"download\\part.tmp"});
    Register();

    EXPECT_EQ(RunUninstaller(true), kDoneText + Folder() + L"\\");

    EXPECT_TRUE(Exists(In(L"Zarvel.exe")));
    EXPECT_TRUE(Exists(In(L"download\\part.tmp")));
    ExpectRegistrationGone();
}

TEST_F(Uninstall, WithoutInstallPathTheMessageNamesNoFolder)
{
    Register();
    RegDeleteTree(HKEY_CURRENT_USER, kSettingsKey);
    RegWrite(HKEY_CURRENT_USER, kSettingsKey, L"AutoStartup", L"1");

    EXPECT_EQ(RunUninstaller(true), kDoneText);
    ExpectRegistrationGone();
}

TEST_F(Uninstall, RunningTwiceReportsTheSameFolder)
{
    CreateFiles({L"Zarvel.exe"});
    WriteFile(In(L"updatelist.xml"), FileList({L"Zarvel.exe"}, ListEncoding::Gbk));
    Register();

    const std::wstring first = RunUninstaller(true);
    const std::wstring second = RunUninstaller(true);
    EXPECT_EQ(first, kDoneText + Folder() + L"\\");
    EXPECT_EQ(second, first);
    std::wstring installPath;
    EXPECT_TRUE(RegRead(HKEY_CURRENT_USER, kSettingsKey, L"InstallPath", &installPath));
    EXPECT_EQ(installPath, Folder());
}

TEST_F(Uninstall, StopsTheRunningApplicationBeforeDeletingIt)
{
    const std::wstring idle = ProgramFolder() + L"\\idle_process.exe";
    CopyTo(idle, In(L"Zarvel.exe"));
    CopyTo(idle, In(L"Tavrin.exe"));
    WriteFile(In(L"updatelist.xml"), FileList({L"Zarvel.exe", L"Tavrin.exe"}, ListEncoding::Gbk));
    Register();
    const Process application = Process::Start(In(L"Zarvel.exe"));
    const Process helper = Process::Start(In(L"Tavrin.exe"));

    RunUninstaller(true);

    EXPECT_TRUE(application.WaitExit(0ms));
    EXPECT_TRUE(helper.WaitExit(0ms));
    EXPECT_FALSE(Exists(In(L"Zarvel.exe")));
    EXPECT_FALSE(Exists(In(L"Tavrin.exe")));
}
