// The favourite editor and the About window, opened in-process and driven
// from a second thread; the font of every window, the main window's made
// in-process too; the program's pictures and texts as keystride.exe
// carries them; JPEG decoding of good and damaged data.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "resource.h"
#include "texts.h"
#include "ui/about.h"
#include "ui/app_window.h"
#include "ui/control_ids.h"
#include "ui/favourite_editor.h"
#include "ui/hotkeys_dialog.h"
#include "ui/jpeg_picture.h"
#include "ui/main_window.h"
#include "ui/platform_services.h"
#include "ui/system_hotkeys.h"
#include "ui/ui_kit.h"
#include "win32/screenshot.h"
#include "win32/win32_support.h"

namespace ks::test {
namespace {

constexpr char kEditorCaption[] = "Add Favorite";
constexpr char kAboutCaption[] = "About Korvel Keystride";

// Waits for a condition another thread brings about; false when it never
// comes. The limit only keeps a broken build from hanging.
bool WaitUntil(const std::function<bool()>& condition) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > 10000) return false;
        Sleep(10);
    }
    return true;
}

HWND FindOwnWindow(const char* caption) {
    HWND window = FindWindowA(nullptr, caption);
    DWORD process = 0;
    if (window) GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId() && IsWindowVisible(window) ? window : nullptr;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                               : nullptr;
}

std::string TextOf(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(),
                                                        static_cast<int>(text.size()))));
    return text;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

POINT CentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The controls of `window` (and their own children, such as a list's
// header) whose font is not the system's message font at `dpi`; an
// underline is allowed, for links. Pictures and rules show no text and are
// left out, as are the controls of `ownLettering`.
std::vector<std::string> ForeignFonts(HWND window, UINT dpi, std::set<int> ownLettering = {}) {
    struct Search {
        LOGFONTW expected;
        std::set<int> own;
        std::vector<std::string> found;
    } search{ui::MessageFontAt(dpi), std::move(ownLettering), {}};
    EnumChildWindows(
        window,
        [](HWND control, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            char kind[64] = {};
            GetClassNameA(control, kind, sizeof kind);
            const LONG type = GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK;
            if (std::string(kind) == "Static" &&
                (type == SS_ICON || type == SS_OWNERDRAW || type == SS_ETCHEDHORZ))
                return TRUE;
            if (search.own.count(GetDlgCtrlID(control))) return TRUE;
            LOGFONTW shown{};
            const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
            const bool same = font && GetObjectW(font, sizeof shown, &shown) &&
                              shown.lfHeight == search.expected.lfHeight &&
                              shown.lfWeight == search.expected.lfWeight &&
                              std::wstring(shown.lfFaceName) == search.expected.lfFaceName;
            if (!same)
                search.found.push_back(std::string(kind) + " \"" + TextOf(control) + "\" (" +
                                       std::to_string(shown.lfHeight) + ")");
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Keys reach the window through its message queue, as typed keys do, so
// that the dialog keyboard sees them.
void PostKey(HWND target, WPARAM key) { PostMessageA(target, WM_KEYDOWN, key, 1); }
// A key pressed and let go with its scan code, as the keyboard sends it (a
// hotkey control reads the key from the scan code); with Alt held, the
// system's key messages and the character that makes an access key.
void PostKeyPress(HWND target, WPARAM key, bool withAlt = false) {
    const auto scan = [](WPARAM vk) {
        return static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(vk), MAPVK_VK_TO_VSC)) << 16;
    };
    const LPARAM alt = withAlt ? 0x20000000 : 0;
    const UINT down = withAlt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = withAlt ? WM_SYSKEYUP : WM_KEYUP;
    if (withAlt) PostMessageA(target, WM_SYSKEYDOWN, VK_MENU, alt | scan(VK_MENU) | 1);
    PostMessageA(target, down, key, alt | scan(key) | 1);
    if (withAlt && key >= 'A' && key <= 'Z')
        PostMessageA(target, WM_SYSCHAR, key - 'A' + 'a', alt | scan(key) | 1);
    PostMessageA(target, up, key, alt | scan(key) | 0xC0000001);
    if (withAlt) PostMessageA(target, WM_KEYUP, VK_MENU, scan(VK_MENU) | 0xC0000001);
}
void PostAltKey(HWND target, char letter) {
    PostMessageA(target, WM_SYSCHAR, static_cast<WPARAM>(letter), 0x20000001);
}

// The ways a modal window is left without OK, each named; Escape is
// pressed in `field`.
using WayOut = std::pair<const char*, std::function<void(HWND)>>;
std::vector<WayOut> WaysOutButOk(int field) {
    return {
        {"Cancel button", [](HWND w) { PostMessageA(GetDlgItem(w, IDCANCEL), BM_CLICK, 0, 0); }},
        {"close box", [](HWND w) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Escape", [field](HWND w) { PostKey(GetDlgItem(w, field), VK_ESCAPE); }},
    };
}
// Types at the end of an edit box's text.
void PostText(HWND edit, const std::string& text) {
    const int end = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, end, end);
    for (char c : text) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Saves what the screen shows of `window` as a PNG under the build folder.
void SaveScreenshot(HWND window, const std::string& name) {
    UpdateWindow(window);
    Sleep(300);  // lets the X server catch up with the painting
    EXPECT_TRUE(SaveWindowPng(window, name));
}

// A visible window of a known place, the owner of the windows under test.
class OwnerWindow {
public:
    OwnerWindow() {
        window_ = CreateWindowExA(0, "STATIC", "Keystride owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  120, 90, 640, 520, nullptr, nullptr, GetModuleHandleA(nullptr),
                                  nullptr);
    }
    ~OwnerWindow() {
        if (window_) DestroyWindow(window_);
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND Get() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Runs `open` (which shows a modal window and returns when it closes) on
// this thread while `drive` works the window from a second thread. Should
// the window stay open after `drive`, it is closed, so a failing test cannot
// hang.
void WhileOpen(const char* caption, const std::function<void()>& open,
               const std::function<void(HWND)>& drive) {
    std::atomic<HWND> seen{nullptr};
    std::thread driver([&] {
        HWND window = nullptr;
        if (!WaitUntil([&] { return (window = FindOwnWindow(caption)) != nullptr; })) return;
        seen = window;
        drive(window);
        if (!WaitUntil([&] { return !IsWindowVisible(window); }))
            PostMessageA(window, WM_CLOSE, 0, 0);
    });
    open();
    driver.join();
    EXPECT_NE(seen.load(), nullptr) << "\"" << caption << "\" never showed";
}

class DialogFavouriteEditor : public ::testing::Test {
protected:
    // Opens the editor over the owner with the texts; true when it ended with OK.
    bool Run(const std::function<void(HWND)>& drive) {
        bool confirmed = false;
        WhileOpen(kEditorCaption,
                  [&] {
                      confirmed = ui::RunFavouriteEditor(
                          owner.Get(), ui::FavouriteEditorPurpose::Add, keyText, comment,
                          [this](const std::string& text) { launched.push_back(text); });
                  },
                  drive);
        return confirmed;
    }

    static HWND Item(HWND window, int id) { return GetDlgItem(window, id); }
    static std::wstring WideText(HWND control) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
        return text;
    }
    static bool OkEnabled(HWND window) { return IsWindowEnabled(Item(window, IDOK)) != FALSE; }
    // Waits for the idle update to bring OK into the expected state.
    static bool OkBecomes(HWND window, bool enabled) {
        return WaitUntil([&] { return OkEnabled(window) == enabled; });
    }

    OwnerWindow owner;
    std::string keyText;
    std::string comment;
    std::vector<std::string> launched;  // what Launch Registry Editor handed over
};

TEST_F(DialogFavouriteEditor, WindowAsDesigned) {
    keyText = "HKCU\\Software";
    comment = "a comment";
    const bool confirmed = Run([&](HWND window) {
        EXPECT_FALSE(IsWindowEnabled(owner.Get())) << "the owner takes no input meanwhile";
        EXPECT_EQ(TextOf(window), kEditorCaption);
        const UINT dpi = ui::DpiOf(window);
        const SIZE client = ClientSize(window);
        EXPECT_EQ(client.cx, ui::Scale(390, dpi));
        // Taller than designed where the hint needs a second line.
        EXPECT_GE(client.cy, ui::Scale(222, dpi));
        const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
        EXPECT_EQ(GetWindow(window, GW_OWNER), owner.Get());
        const POINT centre = CentreOf(window);
        const POINT ownerCentre = CentreOf(owner.Get());
        EXPECT_LE(std::abs(centre.x - ownerCentre.x), 1);
        EXPECT_LE(std::abs(centre.y - ownerCentre.y), 1);

        EXPECT_EQ(TextOf(Item(window, IDC_EDITOR_KEY)), "HKCU\\Software");
        EXPECT_EQ(TextOf(Item(window, IDC_EDITOR_COMMENT)), "a comment");
        EXPECT_EQ(TextOf(Item(window, IDC_EDITOR_LAUNCH)), "&Launch Registry Editor");
        EXPECT_EQ(TextOf(Item(window, IDOK)), "&OK");
        EXPECT_EQ(TextOf(Item(window, IDCANCEL)), "&Cancel");
        EXPECT_NE(Item(window, IDC_EDITOR_GROUP), nullptr);
        for (const char* label :
             {"&Registry Key:", "Co&mment:",
              "Enter the registry key like: HKEY_CURRENT_USER\\Software\\Microsoft"})
            EXPECT_NE(FindWindowExA(window, nullptr, "STATIC", label), nullptr) << label;
        EXPECT_TRUE(OkEnabled(window));
        EXPECT_EQ(GetWindowLongA(Item(window, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        SaveScreenshot(window, "add_to_list");
        SendMessageA(Item(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(confirmed);
    EXPECT_TRUE(IsWindowEnabled(owner.Get())) << "the owner is given back its input";
}

TEST_F(DialogFavouriteEditor, OkFollowsTheKeyRule) {
    Run([&](HWND window) {
        HWND key = Item(window, IDC_EDITOR_KEY);
        EXPECT_FALSE(OkEnabled(window)) << "empty key text";
        // Each text flips the state, so each check sees the idle update.
        const std::vector<std::pair<const char*, bool>> texts = {
            {"hklm\\software", true},
            {"HK", false},
            {"hkey_local_machine\\software", true},
            {" HKXX", false},
            {"HKUSERS", true},
            {"", false},
            {"hkcc", true},
            {"HKEY", false},
            {"HKCR\\.txt", true},
            {"Computer\\Software", false},
            // Any notation the path reader reads, blanks around included.
            {" \"Computer\\HKEY_USERS\\.DEFAULT\" ", true},
            {"[", false},
            {"\\Registry\\Machine\\SOFTWARE", true},
        };
        for (const auto& [text, enabled] : texts) {
            SendMessageA(key, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
            EXPECT_TRUE(OkBecomes(window, enabled)) << "\"" << text << "\"";
        }
        // The same while typing.
        SendMessageA(key, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        EXPECT_TRUE(OkBecomes(window, false));
        PostText(key, "HKC");
        EXPECT_TRUE(WaitUntil([&] { return TextOf(key) == "HKC"; }));
        EXPECT_TRUE(OkBecomes(window, false));
        PostText(key, "U");
        EXPECT_TRUE(OkBecomes(window, true));
        PostKey(key, VK_BACK);
        EXPECT_TRUE(OkBecomes(window, false));
        // The comment does not count.
        SendMessageA(Item(window, IDC_EDITOR_COMMENT), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>("HKLM"));
        PostText(Item(window, IDC_EDITOR_COMMENT), "x");
        EXPECT_TRUE(WaitUntil([&] { return TextOf(Item(window, IDC_EDITOR_COMMENT)) == "HKLMx"; }));
        EXPECT_FALSE(OkEnabled(window));
        SendMessageA(Item(window, IDCANCEL), BM_CLICK, 0, 0);
    });
}

TEST_F(DialogFavouriteEditor, OkReturnsTheFieldTexts) {
    keyText = "HKCU\\Old";
    comment = "old";
    const bool confirmed = Run([&](HWND window) {
        SendMessageA(Item(window, IDC_EDITOR_KEY), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>("hklm\\Software\\Korvel"));
        SendMessageA(Item(window, IDC_EDITOR_COMMENT), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>("  new comment  "));
        ASSERT_TRUE(OkBecomes(window, true));
        SendMessageA(Item(window, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(keyText, "hklm\\Software\\Korvel");
    EXPECT_EQ(comment, "  new comment  ") << "texts come back untrimmed";
}

TEST_F(DialogFavouriteEditor, NamesInEveryScriptAreShownAndReturnedUnitForUnit) {
    // The program's texts are UTF-8; a lone surrogate keeps a form of its own.
    keyText = "HKCU\\Software\\Программы";
    comment = "Λογισμικό";
    const std::wstring key = L"HKCU\\Software\\表示設定\\\U0001F511\xD800";
    const bool confirmed = Run([&](HWND window) {
        EXPECT_EQ(WideText(Item(window, IDC_EDITOR_KEY)), L"HKCU\\Software\\Программы");
        EXPECT_EQ(WideText(Item(window, IDC_EDITOR_COMMENT)), L"Λογισμικό");
        SendMessageW(Item(window, IDC_EDITOR_KEY), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(key.c_str()));
        ASSERT_TRUE(OkBecomes(window, true));
        SendMessageW(Item(window, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(keyText, "HKCU\\Software\\表示設定\\\xF0\x9F\x94\x91\xED\xA0\x80");
    EXPECT_EQ(comment, "Λογισμικό");
}

TEST_F(DialogFavouriteEditor, EveryWayOutButOkLeavesTheTextsAlone) {
    std::vector<WayOut> ways = WaysOutButOk(IDC_EDITOR_KEY);
    ways.push_back({"Alt+C", [](HWND w) { PostAltKey(Item(w, IDC_EDITOR_KEY), 'c'); }});
    for (const auto& [way, leave] : ways) {
        keyText = "HKCU\\Software\\Kept";
        comment = "kept";
        const bool confirmed = Run([&, leave = leave](HWND window) {
            SendMessageA(Item(window, IDC_EDITOR_KEY), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>("HKLM\\Changed"));
            SendMessageA(Item(window, IDC_EDITOR_COMMENT), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>("changed"));
            leave(window);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); })) << way;
        });
        EXPECT_FALSE(confirmed) << way;
        EXPECT_EQ(keyText, "HKCU\\Software\\Kept") << way;
        EXPECT_EQ(comment, "kept") << way;
    }
}

TEST_F(DialogFavouriteEditor, EnterConfirmsOnlyWhenOkIsEnabled) {
    keyText = "not a key";
    const bool confirmed = Run([&](HWND window) {
        HWND key = Item(window, IDC_EDITOR_KEY);
        EXPECT_TRUE(OkBecomes(window, false));
        PostKey(key, VK_RETURN);
        // Keys are handled in order: once the next one has arrived, Enter has
        // had its chance to close the window.
        PostText(key, "!");
        ASSERT_TRUE(WaitUntil([&] { return TextOf(key) == "not a key!"; }));
        EXPECT_TRUE(IsWindowVisible(window)) << "Enter with OK disabled";

        SendMessageA(key, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("HKU\\.DEFAULT"));
        EXPECT_TRUE(OkBecomes(window, true));
        PostKey(key, VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(keyText, "HKU\\.DEFAULT");
}

TEST_F(DialogFavouriteEditor, AltOConfirms) {
    keyText = "HKCR";
    EXPECT_TRUE(Run([&](HWND window) {
        EXPECT_TRUE(OkBecomes(window, true));
        PostAltKey(Item(window, IDC_EDITOR_COMMENT), 'o');
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
    }));
}

TEST_F(DialogFavouriteEditor, TabGoesKeyLaunchCommentOkCancel) {
    keyText = "HKLM";
    Run([&](HWND window) {
        EXPECT_TRUE(OkBecomes(window, true));
        const int order[] = {IDC_EDITOR_LAUNCH, IDC_EDITOR_COMMENT, IDOK, IDCANCEL, IDC_EDITOR_KEY};
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == Item(window, IDC_EDITOR_KEY); }))
            << "the key field has the focus first";
        for (int id : order) {
            PostKey(FocusOf(window), VK_TAB);
            EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == Item(window, id); }))
                << "control " << id;
        }
        SendMessageA(Item(window, IDCANCEL), BM_CLICK, 0, 0);
    });
}

TEST_F(DialogFavouriteEditor, LongTextsArePastedAndReturnedWhole) {
    std::string longKey = "HKLM\\";
    while (longKey.size() < 64 * 1024) longKey += "Software\\Korvel\\Keystride\\";
    const std::string longComment(70000, 'c');
    const bool confirmed = Run([&](HWND window) {
        HWND key = Item(window, IDC_EDITOR_KEY);
        // Pasted like a user would: the edit box's own limit applies here.
        if (OpenClipboard(owner.Get())) {
            EmptyClipboard();
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, longKey.size() + 1);
            if (memory) {
                memcpy(GlobalLock(memory), longKey.c_str(), longKey.size() + 1);
                GlobalUnlock(memory);
                if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
            }
            CloseClipboard();
        }
        SendMessageA(key, WM_PASTE, 0, 0);
        EXPECT_EQ(GetWindowTextLengthA(key), static_cast<int>(longKey.size()));
        SendMessageA(Item(window, IDC_EDITOR_COMMENT), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(longComment.c_str()));
        ASSERT_TRUE(OkBecomes(window, true));
        SendMessageA(Item(window, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(keyText, longKey);
    EXPECT_EQ(comment, longComment);
}

TEST_F(DialogFavouriteEditor, LaunchHandsOverTheKeyBoxAsTypedAndLeavesTheDialogAsItWas) {
    keyText = "HKCU\\Software";
    comment = "launch";
    const bool confirmed = Run([&](HWND window) {
        SetWindowTextA(Item(window, IDC_EDITOR_KEY), "HKCU\\Software\\Typed ");
        SendMessageA(Item(window, IDC_EDITOR_LAUNCH), BM_CLICK, 0, 0);
        EXPECT_EQ(launched, std::vector<std::string>{"HKCU\\Software\\Typed "});
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(TextOf(Item(window, IDC_EDITOR_KEY)), "HKCU\\Software\\Typed ");
        EXPECT_EQ(TextOf(Item(window, IDC_EDITOR_COMMENT)), "launch");
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(window, IDOK)));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(keyText, "HKCU\\Software\\Typed ");
}

// The program's resources, as keystride.exe carries them.
std::string ProgramPath() { return std::string(KS_BUILD_DIR) + "/keystride.exe"; }

bool ProgramBuilt() { return GetFileAttributesA(ProgramPath().c_str()) != INVALID_FILE_ATTRIBUTES; }

HMODULE LoadProgramResources() {
    return LoadLibraryExA(ProgramPath().c_str(), nullptr,
                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

class DialogResources : public ::testing::Test {
protected:
    void SetUp() override {
        // The build makes the program only once its entry point exists.
        if (!ProgramBuilt()) GTEST_SKIP() << "keystride.exe is not part of this build";
        module_ = LoadProgramResources();
        ASSERT_NE(module_, nullptr) << "cannot read the resources of keystride.exe";
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }
    std::string Resource(int id, int type = 10 /* RCDATA */) const {
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
        HGLOBAL loaded = found ? LoadResource(module_, found) : nullptr;
        const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        return data ? std::string(data, SizeofResource(module_, found)) : std::string();
    }
    std::string String(UINT id) const {
        char text[512] = {};
        return LoadStringA(module_, id, text, sizeof text) > 0 ? text : "";
    }

    HMODULE module_ = nullptr;
};

// The pixel at x, y of a decoded picture as 0xRRGGBB.
COLORREF PixelAt(HBITMAP bitmap, int x, int y) {
    DIBSECTION section{};
    if (!GetObjectA(bitmap, sizeof section, &section) || !section.dsBm.bmBits) return 0;
    const auto* row = static_cast<const unsigned char*>(section.dsBm.bmBits) +
                      static_cast<std::size_t>(y) * section.dsBm.bmWidthBytes;
    const unsigned char* pixel = row + x * 4;
    return (pixel[2] << 16) | (pixel[1] << 8) | pixel[0];
}

bool Near(COLORREF colour, COLORREF expected) {
    for (int shift : {0, 8, 16}) {
        const int a = (colour >> shift) & 0xFF;
        const int b = (expected >> shift) & 0xFF;
        if (std::abs(a - b) > 16) return false;
    }
    return true;
}

TEST_F(DialogResources, BannersDecodeToTheirSizesAndColours) {
    for (const auto& [id, width] : {std::pair{IDR_BANNER_MAIN, 530}, {IDR_BANNER_ABOUT, 360}}) {
        const ui::Bitmap banner = ui::LoadJpegResource(module_, id);
        ASSERT_TRUE(banner) << id;
        const SIZE size = ui::BitmapSize(banner.Get());
        EXPECT_EQ(size.cx, width);
        EXPECT_EQ(size.cy, 50);
        DIBSECTION section{};
        ASSERT_TRUE(GetObjectA(banner.Get(), sizeof section, &section));
        EXPECT_EQ(section.dsBmih.biBitCount, 32);
        // Dark blue at the top left, the orange rule in the last row: rows
        // upside down or red and blue swapped would show here.
        EXPECT_TRUE(Near(PixelAt(banner.Get(), 2, 40), 0x0C2748))
            << std::hex << PixelAt(banner.Get(), 2, 40);
        EXPECT_TRUE(Near(PixelAt(banner.Get(), width / 2, 49), 0xF39A1E))
            << std::hex << PixelAt(banner.Get(), width / 2, 49);
    }
    EXPECT_FALSE(ui::LoadJpegResource(module_, 9999)) << "no such resource";
    EXPECT_FALSE(ui::LoadJpegResource(module_, IDB_JUMP_GLYPH)) << "not RCDATA";
}

TEST_F(DialogResources, StringTable) {
    EXPECT_EQ(String(65246), "Keystride");
    EXPECT_EQ(String(IDS_VERSION), "3.1");
    EXPECT_EQ(String(IDS_URL_PRODUCT), "https://www.korvelsoftware.com/keystride/");
    // The texts the code holds itself stand in the table no more.
    for (UINT id = 65230; id <= 65236; ++id) EXPECT_EQ(String(id), "") << id;
    EXPECT_EQ(String(65218), "") << "the tray's tip is the program's name";
}

TEST_F(DialogResources, IconsGlyphAndManifest) {
    for (const auto& [id, size] : {std::pair{IDI_KEYSTRIDE, 16}, {IDI_KEYSTRIDE, 32},
                                   {IDI_KEYSTRIDE, 48}, {IDI_UPDATE, 16}}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << id << " at " << size;
        if (icon) DestroyIcon(icon);
    }
    const std::string glyph = Resource(IDB_JUMP_GLYPH, 2 /* BITMAP */);
    ASSERT_GE(glyph.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header{};
    memcpy(&header, glyph.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 16);
    EXPECT_EQ(header.biHeight, 16);
    EXPECT_EQ(header.biBitCount, 24);

    const std::string text = Resource(IDR_MANIFEST, 24 /* MANIFEST */);
    // The user's own level: no prompt at the start, a start from the Run key.
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_EQ(text.find("highestAvailable"), std::string::npos);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(text.find(">PerMonitorV2"), std::string::npos);
    EXPECT_NE(text.find(">true</dpiAware>"), std::string::npos);
}

TEST_F(DialogResources, DamagedJpegGivesNoPicture) {
    const std::string good = Resource(IDR_BANNER_MAIN);
    ASSERT_GT(good.size(), 1000u);
    EXPECT_TRUE(ui::DecodeJpeg(good.data(), good.size()));

    EXPECT_FALSE(ui::DecodeJpeg(good.data(), 0));
    // Cut in the headers, in the tables and in the picture data.
    for (std::size_t cut : {std::size_t{2}, std::size_t{20}, std::size_t{200}, good.size() / 2})
        EXPECT_FALSE(ui::DecodeJpeg(good.data(), cut)) << "cut after " << cut << " bytes";
}

TEST(DialogJpeg, NoDataOrNotAJpegGivesNoPicture) {
    EXPECT_FALSE(ui::DecodeJpeg(nullptr, 100));
    const std::string garbage(4096, '\xAB');
    EXPECT_FALSE(ui::DecodeJpeg(garbage.data(), garbage.size()));
    // A JPEG start and then nothing of use.
    const std::string startOnly("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 13);
    EXPECT_FALSE(ui::DecodeJpeg(startOnly.data(), startOnly.size()));
    EXPECT_EQ(ui::BitmapSize(nullptr).cx, 0);
}

class DialogAbout : public ::testing::Test {
protected:
    void Open(const std::function<void(HWND)>& drive) {
        // Without the program's resources the window shows without pictures.
        HMODULE resources = LoadProgramResources();
        if (ProgramBuilt()) EXPECT_NE(resources, nullptr);
        WhileOpen(kAboutCaption, [&] { ui::RunAboutWindow(owner.Get(), resources); }, drive);
        if (resources) FreeLibrary(resources);
    }
    OwnerWindow owner;
};

TEST_F(DialogAbout, WindowAsDesignedAndOkCloses) {
    Open([&](HWND window) {
        EXPECT_EQ(TextOf(window), kAboutCaption);
        const UINT dpi = ui::DpiOf(window);
        const SIZE client = ClientSize(window);
        EXPECT_EQ(client.cx, ui::Scale(360, dpi));
        EXPECT_EQ(client.cy, ui::Scale(243, dpi));
        EXPECT_EQ(GetWindow(window, GW_OWNER), owner.Get());
        EXPECT_FALSE(IsWindowEnabled(owner.Get()));
        const POINT centre = CentreOf(window);
        const POINT ownerCentre = CentreOf(owner.Get());
        EXPECT_LE(std::abs(centre.x - ownerCentre.x), 1);
        EXPECT_LE(std::abs(centre.y - ownerCentre.y), 1);

        HWND link = GetDlgItem(window, IDC_ABOUT_ADDRESS);
        EXPECT_EQ(TextOf(link), KS_TEXT_MAKER_SITE);
        EXPECT_TRUE(GetWindowLongPtrA(link, GWL_STYLE) & SS_NOTIFY) << "the link takes clicks";
        EXPECT_EQ(TextOf(GetDlgItem(window, IDOK)), "&OK");
        EXPECT_NE(FindWindowExA(window, nullptr, "STATIC", "Korvel Keystride"), nullptr);
        EXPECT_NE(FindWindowExA(window, nullptr, "STATIC", "Version: 3.1   Build 20261019"),
                  nullptr);
        SaveScreenshot(window, "about");
        SendMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
    });
    EXPECT_TRUE(IsWindowEnabled(owner.Get()));
}

TEST_F(DialogAbout, EveryWindowShowsTheSystemsMessageFont) {
    Open([&](HWND window) {
        EXPECT_EQ(ForeignFonts(window, ui::DpiOf(window)), std::vector<std::string>{});
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    std::string keyText = "HKCU";
    std::string comment;
    WhileOpen(kEditorCaption,
              [&] {
                  ui::RunFavouriteEditor(owner.Get(), ui::FavouriteEditorPurpose::Add, keyText,
                                         comment, {});
              },
              [&](HWND window) {
                  EXPECT_EQ(ForeignFonts(window, ui::DpiOf(window)), std::vector<std::string>{});
                  PostMessageA(window, WM_CLOSE, 0, 0);
              });
}

// The system's message font set larger for the scope's life (in this
// session only, not stored), and put back.
class LargerMessageFont {
public:
    LargerMessageFont() {
        metrics_.cbSize = sizeof metrics_;
        changed_ = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics_, &metrics_, 0);
        NONCLIENTMETRICSW larger = metrics_;
        larger.lfMessageFont.lfHeight = larger.lfMessageFont.lfHeight * 3 / 2;
        changed_ = changed_ && SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof larger, &larger, 0);
    }
    ~LargerMessageFont() {
        if (changed_) SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics_, &metrics_, 0);
    }
    LargerMessageFont(const LargerMessageFont&) = delete;
    LargerMessageFont& operator=(const LargerMessageFont&) = delete;
    bool Changed() const { return changed_; }

private:
    NONCLIENTMETRICSW metrics_{};
    bool changed_ = false;
};

// The main window, made here as keystride.exe makes it: the system's font
// but on the banner's two links, which keep their designed lettering, and
// the new one when the user changes it.
TEST(MainWindowInProcess, EveryControlShowsTheSystemsMessageFont) {
    ui::AppWindow app(GetModuleHandleA(nullptr));
    ASSERT_TRUE(app.Create("Keystride", nullptr));
    ui::PlatformServices services(reinterpret_cast<Window>(app.Handle()));
    ui::MainWindow main(app, services);
    ASSERT_TRUE(main.Create());
    const UINT dpi = ui::DpiOf(main.Handle());
    EXPECT_EQ(ForeignFonts(main.Handle(), dpi, {IDC_MAKER_LINK, IDC_UPDATE_LINK}),
              std::vector<std::string>{});

    const LONG before = ui::MessageFontAt(dpi).lfHeight;
    const LargerMessageFont larger;
    ASSERT_TRUE(larger.Changed());
    ASSERT_NE(ui::MessageFontAt(dpi).lfHeight, before);
    SendMessageW(main.Handle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(ForeignFonts(main.Handle(), dpi, {IDC_MAKER_LINK, IDC_UPDATE_LINK}),
              std::vector<std::string>{});
}

TEST_F(DialogAbout, EnterEscapeAndCloseBoxClose) {
    const std::vector<std::pair<const char*, std::function<void(HWND)>>> ways = {
        {"Enter", [](HWND w) { PostKey(GetDlgItem(w, IDOK), VK_RETURN); }},
        {"Escape", [](HWND w) { PostKey(GetDlgItem(w, IDOK), VK_ESCAPE); }},
        {"close box", [](HWND w) { SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& [way, leave] : ways) {
        Open([&, leave = leave](HWND window) {
            leave(window);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); })) << way;
        });
    }
}

class DialogHotkeys : public ::testing::Test {
protected:
    // Opens the dialog over the owner with the texts; true when it ended with OK.
    bool Run(const std::function<void(HWND)>& drive) {
        bool confirmed = false;
        WhileOpen("Hotkeys",
                  [&] {
                      confirmed = ui::RunHotkeysDialog(
                          owner.Get(), jump, show, [this](const std::string& j, const std::string& s) {
                              tried.emplace_back(j, s);
                              return taken;
                          });
                  },
                  drive);
        return confirmed;
    }
    static WPARAM Hotkey(HWND window, int id) {
        return static_cast<WPARAM>(SendMessageW(GetDlgItem(window, id), HKM_GETHOTKEY, 0, 0));
    }

    OwnerWindow owner;
    std::string jump = "Ctrl+Alt+Shift+J";
    std::string show;
    std::vector<std::string> taken;
    std::vector<std::pair<std::string, std::string>> tried;
};

TEST_F(DialogHotkeys, ShowsTheHotkeysAndOkReturnsTheChangedOnes) {
    EXPECT_TRUE(Run([](HWND window) {
        for (const int id : {IDC_HOTKEY_JUMP, IDC_HOTKEY_SHOW})
            EXPECT_EQ(ClassOf(GetDlgItem(window, id)), "msctls_hotkey32") << id;
        EXPECT_TRUE(GetDlgItem(window, IDOK) && GetDlgItem(window, IDCANCEL));
        EXPECT_EQ(Hotkey(window, IDC_HOTKEY_JUMP), static_cast<WPARAM>((HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT) << 8 | 'J'));
        EXPECT_EQ(Hotkey(window, IDC_HOTKEY_SHOW), 0u);
        SendMessageW(GetDlgItem(window, IDC_HOTKEY_SHOW), HKM_SETHOTKEY, HOTKEYF_CONTROL << 8 | VK_F9, 0);
        PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    }));
    EXPECT_EQ(jump, "Ctrl+Alt+Shift+J");
    EXPECT_EQ(show, "Ctrl+F9");
    EXPECT_EQ(tried, (std::vector<std::pair<std::string, std::string>>{{"Ctrl+Alt+Shift+J", "Ctrl+F9"}}));
}

// A hotkey another program holds: one box names it, the dialog stays open
// for another choice, and Cancel leaves the texts as they were.
TEST_F(DialogHotkeys, AHotkeyHeldElsewhereKeepsTheDialogOpen) {
    taken = {"Ctrl+F9"};
    EXPECT_FALSE(Run([](HWND window) {
        SendMessageW(GetDlgItem(window, IDC_HOTKEY_SHOW), HKM_SETHOTKEY, HOTKEYF_CONTROL << 8 | VK_F9, 0);
        PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (box = FindOwnWindow("Keystride")) != nullptr; }));
        EXPECT_EQ(MessageBoxText(box),
                  "The hotkey Ctrl+F9 is used by another program. Keystride runs on without it.");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        EXPECT_TRUE(IsWindowVisible(window)) << "the user picks another";
        PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    }));
    EXPECT_EQ(jump, "Ctrl+Alt+Shift+J");
    EXPECT_EQ(show, "");
    EXPECT_EQ(tried.size(), 1u);
}

TEST_F(DialogHotkeys, WindowAsDesigned) {
    jump = "Win+F12";  // the control has no Windows key: shown as none
    show = "Ctrl+Home";
    Run([&](HWND window) {
        EXPECT_EQ(TextOf(window), "Hotkeys");
        EXPECT_EQ(ClassOf(window), "KeystrideHotkeys");
        EXPECT_EQ(GetWindow(window, GW_OWNER), owner.Get());
        EXPECT_FALSE(IsWindowEnabled(owner.Get()));
        const UINT dpi = ui::DpiOf(window);
        EXPECT_GE(ClientSize(window).cx, ui::Scale(330, dpi));
        EXPECT_EQ(ForeignFonts(window, dpi), std::vector<std::string>{});
        for (const char* label : {"&Jump from Clipboard:", "&Show Keystride:"})
            EXPECT_NE(FindWindowExA(window, nullptr, "STATIC", label), nullptr) << label;
        EXPECT_EQ(TextOf(GetDlgItem(window, IDOK)), "&OK");
        EXPECT_EQ(TextOf(GetDlgItem(window, IDCANCEL)), "&Cancel");
        EXPECT_EQ(Hotkey(window, IDC_HOTKEY_JUMP), 0u);
        // Home as the navigation key, not the number pad's 7.
        EXPECT_EQ(Hotkey(window, IDC_HOTKEY_SHOW),
                  static_cast<WPARAM>((HOTKEYF_CONTROL | HOTKEYF_EXT) << 8 | VK_HOME));
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == GetDlgItem(window, IDC_HOTKEY_JUMP); }))
            << "the first field has the focus";
        SaveScreenshot(window, "hotkeys");
        PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(IsWindowEnabled(owner.Get()));
}

// Typed as a user types: Alt and a letter is the hotkey, not an access key
// (Alt+C would be Cancel); a key alone takes Ctrl+Alt.
TEST_F(DialogHotkeys, KeysTypedIntoAFieldMakeItsHotkey) {
    EXPECT_TRUE(Run([](HWND window) {
        HWND field = GetDlgItem(window, IDC_HOTKEY_JUMP);
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == field; }));
        PostKeyPress(field, 'C', true);
        EXPECT_TRUE(WaitUntil([&] { return Hotkey(window, IDC_HOTKEY_JUMP) == (HOTKEYF_ALT << 8 | 'C'); }))
            << std::hex << Hotkey(window, IDC_HOTKEY_JUMP);
        HWND show = GetDlgItem(window, IDC_HOTKEY_SHOW);
        PostKey(field, VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == show; }));
        PostKeyPress(show, 'Q');
        EXPECT_TRUE(WaitUntil([&] {
            return Hotkey(window, IDC_HOTKEY_SHOW) == ((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'Q');
        })) << std::hex << Hotkey(window, IDC_HOTKEY_SHOW);
        EXPECT_TRUE(IsWindowVisible(window));
        PostKey(show, VK_RETURN);
    }));
    EXPECT_EQ(jump, "Alt+C");
    EXPECT_EQ(show, "Ctrl+Alt+Q");
}

// A Windows-key hotkey shows as none and stays while its field is left
// alone; typed over, the field's own counts, even none.
TEST_F(DialogHotkeys, AWindowsKeyHotkeyStaysUntilItsFieldIsChanged) {
    jump = "Win+F12";
    show = "Win+Alt+K";
    EXPECT_TRUE(Run([](HWND window) { PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0); }));
    EXPECT_EQ(jump, "Win+F12");
    EXPECT_EQ(show, "Win+Alt+K");
    EXPECT_TRUE(Run([](HWND window) {
        HWND field = GetDlgItem(window, IDC_HOTKEY_SHOW);
        PostKeyPress(field, 'Q');
        EXPECT_TRUE(WaitUntil([&] { return Hotkey(window, IDC_HOTKEY_SHOW) != 0; }));
        PostKeyPress(field, VK_BACK);
        EXPECT_TRUE(WaitUntil([&] { return Hotkey(window, IDC_HOTKEY_SHOW) == 0; }));
        PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    }));
    EXPECT_EQ(jump, "Win+F12");
    EXPECT_EQ(show, "");
}

// Keys that make no hotkey, and one hotkey for both commands: a box says
// so, nothing is tried, and the dialog stays open with the field to change
// focused.
TEST_F(DialogHotkeys, KeysThatMakeNoPairOfHotkeysKeepTheDialogOpen) {
    const auto expectBox = [](HWND window, const std::string& text, int field) {
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (box = FindOwnWindow("Keystride")) != nullptr; }));
        EXPECT_EQ(MessageBoxText(box), text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == GetDlgItem(window, field); }));
    };
    EXPECT_FALSE(Run([&](HWND window) {
        const struct {
            WPARAM value;
            int field;
        } unusable[] = {{HOTKEYF_SHIFT << 8 | 'J', IDC_HOTKEY_SHOW},  // Shift alone types a J
                        {HOTKEYF_CONTROL << 8 | VK_OEM_1, IDC_HOTKEY_JUMP},  // no name
                        {'J', IDC_HOTKEY_SHOW}};
        for (const auto& [value, field] : unusable) {
            SendMessageW(GetDlgItem(window, IDC_HOTKEY_JUMP), HKM_SETHOTKEY, 0x0700 | 'J', 0);
            SendMessageW(GetDlgItem(window, IDC_HOTKEY_SHOW), HKM_SETHOTKEY, 0, 0);
            SendMessageW(GetDlgItem(window, field), HKM_SETHOTKEY, value, 0);
            PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
            expectBox(window, KS_TEXT_HOTKEY_UNUSABLE, field);
        }
        SendMessageW(GetDlgItem(window, IDC_HOTKEY_SHOW), HKM_SETHOTKEY, 0x0700 | 'J', 0);
        PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        expectBox(window,
                  "Jump from Clipboard and Show Keystride cannot share the hotkey Ctrl+Alt+Shift+J. "
                  "Choose another for one of them.",
                  IDC_HOTKEY_SHOW);
        PostKey(GetDlgItem(window, IDC_HOTKEY_SHOW), VK_ESCAPE);
    }));
    EXPECT_TRUE(tried.empty());
    EXPECT_EQ(jump, "Ctrl+Alt+Shift+J");
    EXPECT_EQ(show, "");
}

TEST_F(DialogHotkeys, EveryWayOutButOkLeavesTheTexts) {
    const std::vector<WayOut> ways = WaysOutButOk(IDC_HOTKEY_JUMP);
    for (const auto& [way, leave] : ways) {
        const bool confirmed = Run([&, leave = leave](HWND window) {
            SendMessageW(GetDlgItem(window, IDC_HOTKEY_JUMP), HKM_SETHOTKEY, HOTKEYF_ALT << 8 | VK_F2, 0);
            leave(window);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); })) << way;
        });
        EXPECT_FALSE(confirmed) << way;
        EXPECT_EQ(jump, "Ctrl+Alt+Shift+J") << way;
        EXPECT_EQ(show, "") << way;
    }
    EXPECT_TRUE(tried.empty());
}

// A hotkey is one program's: a second registration gets it back as taken,
// and the first one's end frees it.
TEST_F(DialogHotkeys, SystemHotkeysAreHeldUntilTheirOwnerGoes) {
    OwnerWindow other;
    auto first = std::make_unique<ui::SystemHotkeys>();
    EXPECT_EQ(first->Register(owner.Get(), "Ctrl+Alt+Shift+F11", ""), std::vector<std::string>{});
    ui::SystemHotkeys second;
    EXPECT_EQ(second.Register(other.Get(), "ctrl+alt+shift+f11", "not a hotkey"),
              std::vector<std::string>{"Ctrl+Alt+Shift+F11"});
    first.reset();
    EXPECT_EQ(second.Register(other.Get(), "Ctrl+Alt+Shift+F11", ""), std::vector<std::string>{});
}

}  // namespace
}  // namespace ks::test
