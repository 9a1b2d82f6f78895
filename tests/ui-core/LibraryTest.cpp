// Library start-up and the shared routines: fonts, cursor and icon, the glyph
// strip, the host window class, top-level windows, text conversion, raw
// blocks, byte concatenation and window styles.
#include "ui-core/UiCoreTestSupport.h"

#include "support/WinTestSupport.h"

#include "ui/core/ConcatBytes.h"
#include "ui/core/Library.h"
#include "ui/core/RawBlock.h"
#include "ui/core/SystemFont.h"
#include "ui/core/TopWindow.h"
#include "ui/core/WideText.h"
#include "ui/core/WindowStyle.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace UiCoreTest;
using namespace Gdiplus::DllExports;

namespace {

std::wstring FamilyName(Gdiplus::GpFont* font)
{
    GpFontFamilyPtr family;
    if (!font || GdipGetFamily(font, family.put()) != Gdiplus::Ok)
        return {};
    wchar_t name[LF_FACESIZE] = {};
    GdipGetFamilyName(family.get(), name, LANG_NEUTRAL);
    return name;
}

std::wstring FamilyNameOf(const std::string& gbkFace)
{
    const ByteBuffer wide = ToWide(gbkFace);
    GpFontFamilyPtr family;
    if (GdipCreateFontFamilyFromName(WideChars(wide), nullptr, family.put()) != Gdiplus::Ok)
        return {};
    wchar_t name[LF_FACESIZE] = {};
    GdipGetFamilyName(family.get(), name, LANG_NEUTRAL);
    return name;
}

// Sets one face of the system's non-client fonts for the scope (not saved).
class NonClientFaceScope {
public:
    NonClientFaceScope(LOGFONTW NONCLIENTMETRICSW::*font, const wchar_t* face)
    {
        m_saved.cbSize = sizeof m_saved;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m_saved, &m_saved, 0);
        NONCLIENTMETRICSW changed = m_saved;
        wcsncpy((changed.*font).lfFaceName, face, LF_FACESIZE - 1);
        m_ok = SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof changed, &changed, 0) != FALSE;
    }
    ~NonClientFaceScope() { SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof m_saved, &m_saved, 0); }
    bool ok() const { return m_ok; }

private:
    NONCLIENTMETRICSW m_saved = {};
    bool m_ok = false;
};

class LibraryFixture : public ::testing::Test {
protected:
    void SetUp() override { EnsureLibrary(); }
};

TEST_F(LibraryFixture, StartLibraryFillsTheSharedValues)
{
    // The default font: "宋体" when GDI+ finds it, else the caption font,
    // else none.
    std::wstring expectedFamily = FamilyNameOf("宋体");
    if (expectedFamily.empty())
        expectedFamily = FamilyNameOf(SystemUiFontName(SystemFontKind::Caption));
    EXPECT_EQ(FamilyName(DefaultFont()), expectedFamily);
    EXPECT_EQ(DefaultFont() == nullptr, expectedFamily.empty());

    EXPECT_EQ(DefaultCursor(), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));

    // The glyph strip decodes to its full size.
    ASSERT_NE(SysButtonGlyphs(), nullptr);
    UINT width = 0, height = 0;
    GdipGetImageWidth(SysButtonGlyphs(), &width);
    GdipGetImageHeight(SysButtonGlyphs(), &height);
    EXPECT_EQ(width, 729u);
    EXPECT_EQ(height, 20u);

    // The host class exists and only forwards to the default procedure.
    WNDCLASSEXW info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"Qx_DirectUI", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(info.hCursor, DefaultCursor());
    const HWND window = CreateTopWindow({});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc")), TRUE);
    wchar_t text[8] = {};
    GetWindowTextW(window, text, 8);
    EXPECT_STREQ(text, L"abc");
    DestroyWindow(window);
}

TEST_F(LibraryFixture, OsMajorVersionIsTheTrueVersion)
{
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto rtlGetVersion = reinterpret_cast<GetVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(rtlGetVersion, nullptr);
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_EQ(rtlGetVersion(&version), 0);
    EXPECT_EQ(OsMajorVersion(), static_cast<int>(version.dwMajorVersion));
    EXPECT_GE(OsMajorVersion(), 5);
}

TEST_F(LibraryFixture, SetDefaultCursorTakesAHandleOrASystemId)
{
    const HCURSOR arrow = DefaultCursor();
    const HCURSOR hand = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
    SetDefaultSystemCursor(IDC_HAND);
    EXPECT_EQ(DefaultCursor(), hand);
    SetDefaultCursor(arrow);
    EXPECT_EQ(DefaultCursor(), arrow);
}

TEST_F(LibraryFixture, SystemUiFontNameFallsBackToSongTi)
{
    struct Case {
        const char* name;
        LOGFONTW NONCLIENTMETRICSW::*font;
        SystemFontKind kind;
        const wchar_t* face;
        std::string expected;
    } cases[] = {
        {"Tahoma caption", &NONCLIENTMETRICSW::lfCaptionFont, SystemFontKind::Caption, L"Tahoma", "宋体"},
        {"unknown menu face", &NONCLIENTMETRICSW::lfMenuFont, SystemFontKind::Menu, L"No Such Face 9", "宋体"},
        {"installed message face", &NONCLIENTMETRICSW::lfMessageFont, SystemFontKind::Message,
         L"WenQuanYi Zen Hei", ""},
        {"installed caption face", &NONCLIENTMETRICSW::lfCaptionFont, SystemFontKind::Caption,
         L"DejaVu Sans", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const NonClientFaceScope scope(c.font, c.face);
        ASSERT_TRUE(scope.ok());
        const std::string name = SystemUiFontName(c.kind);
        if (!c.expected.empty()) {
            EXPECT_EQ(name, c.expected);
        } else {
            // The system may answer the face under its localized name.
            EXPECT_NE(name, "宋体");
            EXPECT_EQ(FamilyNameOf(name), FamilyNameOf(WinTest::ToGbk(c.face)));
        }
    }
}

TEST_F(LibraryFixture, FontCandidatesAreTriedInOrder)
{
    EXPECT_FALSE(CreateFirstAvailableFont({"No Such Face 1", "No Such Face 2"}));
    GpFontPtr font = CreateFirstAvailableFont({"No Such Face 1", "WenQuanYi Zen Hei", "DejaVu Sans"});
    ASSERT_TRUE(font);
    EXPECT_EQ(FamilyName(font.get()), FamilyNameOf("WenQuanYi Zen Hei"));
    // (Wine reports the style of a medium-weight face as bold whatever was
    // asked, so only size and unit are compared.)
    float size = 0;
    Gdiplus::Unit unit = Gdiplus::UnitWorld;
    GdipGetFontSize(font.get(), &size);
    GdipGetFontUnit(font.get(), &unit);
    EXPECT_EQ(size, 12.0f);
    EXPECT_EQ(unit, Gdiplus::UnitPixel);
}

TEST_F(LibraryFixture, TheDefaultFontPrefersSongTiOverTheCaptionFont)
{
    const std::wstring songTi = FamilyNameOf("宋体");
    for (const wchar_t* caption : {L"WenQuanYi Zen Hei", L"DejaVu Sans"}) {
        const NonClientFaceScope scope(&NONCLIENTMETRICSW::lfCaptionFont, caption);
        ASSERT_TRUE(scope.ok());
        const std::wstring expected = songTi.empty() ? FamilyNameOf(WinTest::ToGbk(caption)) : songTi;
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(FamilyName(CreateDefaultFont().get()), expected) << WinTest::ToGbk(caption);
    }
}

TEST_F(LibraryFixture, RegisterHostClassSecondTimeOnlyChangesTheDefaultIcon)
{
    const HICON first = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    const HICON second = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_WARNING));
    ASSERT_NE(first, second);
    HostClassOptions options;
    options.className = "QxTestClassIcons";
    options.icon = first;
    options.style = CS_HREDRAW;
    EXPECT_NE(RegisterHostClass(options), 0);
    EXPECT_EQ(DefaultIcon(), first);
    options.icon = second;
    options.style = CS_DBLCLKS;
    EXPECT_EQ(RegisterHostClass(options), 0);
    EXPECT_EQ(DefaultIcon(), second);
    WNDCLASSEXW info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"QxTestClassIcons", &info));
    EXPECT_EQ(info.hIcon, first);
    EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW));
    UnregisterClassW(L"QxTestClassIcons", GetModuleHandleW(nullptr));
}

TEST_F(LibraryFixture, CreateTopWindowCentresInTheWorkAreaAndCopiesTheClassIcons)
{
    const HICON icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION));
    HostClassOptions classOptions;
    classOptions.className = "QxTestTopWindow";
    classOptions.icon = icon;
    ASSERT_NE(RegisterHostClass(classOptions), 0);

    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    TopWindowOptions options;
    options.className = "QxTestTopWindow";
    options.title = "安装";
    options.width = 301;
    options.height = 151;
    options.exStyle = WS_EX_TOOLWINDOW;
    const HWND window = CreateTopWindow(options);
    ASSERT_NE(window, nullptr);
    RECT placed = {};
    GetWindowRect(window, &placed);
    const POINT origin = CentredOrigin(area, 301, 151);
    EXPECT_EQ(placed.left, origin.x);
    EXPECT_EQ(placed.top, origin.y);
    EXPECT_EQ(placed.right - placed.left, 301);
    EXPECT_EQ(placed.bottom - placed.top, 151);
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & ~static_cast<DWORD>(WS_CLIPSIBLINGS),
              0x820B0000u);
    EXPECT_TRUE(HasWindowStyle(window, WS_EX_TOOLWINDOW, true));
    EXPECT_FALSE(IsWindowVisible(window));
    wchar_t title[16] = {};
    GetWindowTextW(window, title, 16);
    EXPECT_STREQ(title, L"安装");
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
    DestroyWindow(window);

    options.x = 7;
    options.y = 9;
    options.show = true;
    options.width.reset();
    options.height.reset();
    const HWND shown = CreateTopWindow(options);
    ASSERT_NE(shown, nullptr);
    GetWindowRect(shown, &placed);
    EXPECT_EQ(placed.left, 7);
    EXPECT_EQ(placed.top, 9);
    EXPECT_EQ(placed.right - placed.left, 380);
    EXPECT_EQ(placed.bottom - placed.top, 250);
    EXPECT_TRUE(IsWindowVisible(shown));
    DestroyWindow(shown);
    UnregisterClassW(L"QxTestTopWindow", GetModuleHandleW(nullptr));

    EXPECT_EQ(CreateTopWindow([] {
                  TopWindowOptions missing;
                  missing.className = "QxNoSuchClass";
                  return missing;
              }()),
              nullptr);
}

TEST(CentredOriginTest, CentresInsideTheWorkArea)
{
    struct Case {
        RECT area;
        int width, height;
        LONG x, y;
    } cases[] = {
        {{0, 0, 1280, 994}, 460, 340, 410, 327},
        {{0, 0, 1280, 994}, 461, 341, 409, 326},        // halves truncate
        {{100, 30, 1280, 1024}, 380, 250, 500, 402},    // work area not at the origin
        {{0, 0, 300, 200}, 460, 340, -80, -70},         // larger than the area
        {{0, 0, 300, 200}, 461, 341, -80, -70},         // truncated toward zero
    };
    for (const Case& c : cases) {
        const POINT origin = CentredOrigin(c.area, c.width, c.height);
        EXPECT_EQ(origin.x, c.x) << c.width;
        EXPECT_EQ(origin.y, c.y) << c.height;
    }
}

TEST(WideTextTest, ConvertsGbkAndUtf16)
{
    EXPECT_TRUE(ToWide(static_cast<const char*>(nullptr)).empty());
    EXPECT_EQ(WideChars(ToWide(static_cast<const char*>(nullptr))), nullptr);
    EXPECT_EQ(ToWide("").size(), 2u);
    const ByteBuffer wide = ToWide("安装目录");
    ASSERT_EQ(wide.size(), 10u);
    EXPECT_STREQ(WideChars(wide), L"安装目录");
    EXPECT_EQ(ToNarrow(wide), "安装目录");
    EXPECT_EQ(ToNarrow(L"卸载"), "\xD0\xB6\xD4\xD8");
    EXPECT_EQ(ToNarrow(static_cast<const wchar_t*>(nullptr)), "");
    EXPECT_EQ(ToNarrow(ByteBuffer{}), "");

    // A buffer without its terminating zero is converted up to its end only.
    ByteBuffer unterminated(wide.begin(), wide.end() - 2);
    EXPECT_EQ(ToNarrow(unterminated), "安装目录");
    unterminated.push_back('x');  // an odd byte is ignored
    EXPECT_EQ(ToNarrow(unterminated), "安装目录");
    // Text after an embedded zero is not part of the string.
    ByteBuffer embedded = ToWide("ab");
    const ByteBuffer tail = ToWide("cd");
    embedded.insert(embedded.end(), tail.begin(), tail.end());
    EXPECT_EQ(ToNarrow(embedded), "ab");
}

TEST(ConcatBytesTest, JoinsInOrderAndSkipsMissingParts)
{
    const ByteBuffer a{1, 2}, b{3}, empty;
    EXPECT_EQ(ConcatBytes({&a, nullptr, &b, &empty, &a}), (ByteBuffer{1, 2, 3, 1, 2}));
    EXPECT_TRUE(ConcatBytes({}).empty());
    EXPECT_TRUE(ConcatBytes({nullptr, &empty}).empty());
}

TEST(RawBlockTest, BlocksAreExecutableAndReleased)
{
    UniqueVirtualBlock block = AllocRawBlock(20);
    ASSERT_TRUE(block);
    MEMORY_BASIC_INFORMATION info = {};
    ASSERT_NE(VirtualQuery(block.get(), &info, sizeof info), 0u);
    EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_EXECUTE_READWRITE));
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_COMMIT));
    std::memset(block.get(), 0xC3, 20);
    void* const address = block.get();
    block.reset();
    ASSERT_NE(VirtualQuery(address, &info, sizeof info), 0u);
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE));
}

TEST(WindowStyleTest, AddsRemovesAndTestsBits)
{
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_BORDER, 0, 0, 10, 10, nullptr, nullptr,
                                        nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(HasWindowStyle(window, WS_BORDER | WS_THICKFRAME));
    EXPECT_FALSE(HasWindowStyle(window, WS_THICKFRAME));
    AddWindowStyle(window, WS_THICKFRAME | WS_BORDER);
    EXPECT_TRUE(HasWindowStyle(window, WS_THICKFRAME));
    RemoveWindowStyle(window, WS_BORDER | WS_DLGFRAME);
    EXPECT_FALSE(HasWindowStyle(window, WS_BORDER));
    EXPECT_TRUE(HasWindowStyle(window, WS_THICKFRAME | WS_POPUP));
    AddWindowStyle(window, WS_EX_TOOLWINDOW, true);
    EXPECT_TRUE(HasWindowStyle(window, WS_EX_TOOLWINDOW, true));
    RemoveWindowStyle(window, WS_EX_TOOLWINDOW, true);
    EXPECT_FALSE(HasWindowStyle(window, WS_EX_TOOLWINDOW, true));
    DestroyWindow(window);
}

} // namespace
