// Minimising into the notification area and coming back: the icon's
// callbacks are sent as the shell sends them, the activation message as
// another program would, and maximise/restore keep the normal bounds, also
// across a restart.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "e2e/clipboard_support.h"
#include "e2e/main_window_support.h"
#include "texts.h"
#include "ui/ui_kit.h"

namespace ks::test {
namespace {

constexpr char kTwoRows[] =
    "[RegistryList]\r\nCount=2\r\n0=HKCU\\Software\r\n1=HKLM\\Software\r\n"
    "[CommentList]\r\n0=first\r\n1=second\r\n";

// Stands in for the shell's notification area, which Wine lacks without a
// desktop: the icon requests Keystride makes reach this window, and it keeps
// the order of adds (NIM_ADD) and removals (NIM_DELETE) with the window and
// identifier each names.
class FakeNotificationArea {
public:
    struct Icon {
        HWND window;
        UINT id;
        UINT width;  // of the icon's picture; 0 without one
        std::wstring tip;
    };

    FakeNotificationArea() {
        thread_ = std::thread([this] { Run(); });
        while (!ready_) Sleep(5);
    }
    ~FakeNotificationArea() {
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    FakeNotificationArea(const FakeNotificationArea&) = delete;
    FakeNotificationArea& operator=(const FakeNotificationArea&) = delete;

    bool Present() const { return window_ != nullptr; }
    std::vector<DWORD> Requests() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    std::vector<Icon> Icons() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return icons_;
    }
    void Forget() {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.clear();
        icons_.clear();
    }

private:
    void Run() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "Shell_TrayWnd";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, windowClass.lpszClassName, nullptr, WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, windowClass.hInstance, this);
        ready_ = true;
        MSG msg;
        while (window_ && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    }

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self =
            reinterpret_cast<FakeNotificationArea*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            std::lock_guard<std::mutex> lock(self->mutex_);
            self->requests_.push_back(static_cast<DWORD>(data->dwData));
            // Wine's record of the icon begins with the window as 32 bits,
            // the identifier, the flags, the callback message and the tip
            // (128 units); the picture's width follows the balloon's
            // fields and a GUID.
            if (data->cbData >= 2 * sizeof(UINT)) {
                const auto* fields = static_cast<const UINT*>(data->lpData);
                constexpr std::size_t kWidthAt = 944;
                UINT width = 0;
                if (data->cbData >= kWidthAt + sizeof width)
                    std::memcpy(&width, static_cast<const char*>(data->lpData) + kWidthAt,
                                sizeof width);
                std::wstring tip;
                constexpr std::size_t kTipAt = 16, kTipUnits = 128;
                if (data->cbData >= kTipAt + kTipUnits * sizeof(wchar_t)) {
                    const auto* units = reinterpret_cast<const wchar_t*>(
                        static_cast<const char*>(data->lpData) + kTipAt);
                    tip.assign(units, std::find(units, units + kTipUnits, L'\0'));
                }
                self->icons_.push_back({reinterpret_cast<HWND>(static_cast<ULONG_PTR>(fields[0])),
                                        fields[1], width, std::move(tip)});
            }
            return TRUE;
        }
        if (message == WM_CLOSE) {
            DestroyWindow(window);
            return 0;
        }
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcA(window, message, wParam, lParam);
    }

    std::thread thread_;
    std::atomic<bool> ready_{false};
    std::atomic<HWND> window_{nullptr};
    mutable std::mutex mutex_;
    std::vector<DWORD> requests_;
    std::vector<Icon> icons_;
};

using Requests = std::vector<DWORD>;

class Tray : public ::testing::Test {
protected:
    void SetUp() override { RemoveTree(SettingsFolder()); }

    static HWND Application(const Keystride& app) { return GetWindow(app.Main(), GW_OWNER); }

    static bool Hidden(const Keystride& app) {
        return !IsWindowVisible(app.Main()) && !IsWindowVisible(Application(app));
    }
    static bool Shown(const Keystride& app) {
        return IsWindowVisible(app.Main()) && !IsIconic(Application(app));
    }

    static int MainWindowCount() {
        int count = 0;
        for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, kMainClass, nullptr));)
            ++count;
        return count;
    }

    static void Minimise(const Keystride& app, LPARAM lParam) {
        PostMessageA(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, lParam);
        ASSERT_TRUE(WaitUntil([&] { return Hidden(app) && IsIconic(Application(app)); }));
        app.Settle();
    }

    // What the shell sends when the mouse does something over the icon.
    static void TrayMouse(const Keystride& app, UINT mouseMessage) {
        PostMessageA(app.Main(), WM_KEYSTRIDE_TRAYICON, reinterpret_cast<WPARAM>(app.Main()),
                     mouseMessage);
    }

    // Right-clicks the icon and waits for the tray menu. Under Wine the menu
    // of a hidden window now and then closes again as it opens; a user
    // clicks once more, and so does this, up to three times.
    static HWND RightClickForMenu(const Keystride& app) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            TrayMouse(app, WM_RBUTTONDOWN);
            HWND menu = nullptr;
            const bool shown = WaitUntil(
                [&] {
                    while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr))) {
                        DWORD owner = 0;
                        GetWindowThreadProcessId(menu, &owner);
                        if (owner == app.ProcessId() && IsWindowVisible(menu)) return true;
                    }
                    return false;
                },
                3000);
            if (shown) return menu;
            app.Settle();
        }
        return nullptr;
    }
};

TEST_F(Tray, MinimiseHidesBothWindowsAndALeftClickBringsThemBackOnTheFirstRow) {
    ASSERT_TRUE(WriteSettingsFile(kTwoRows));
    Keystride app;
    ASSERT_TRUE(app.Started());
    ASSERT_EQ(app.RowCount(), 2);
    EXPECT_EQ(app.SelectedRow(), -1);

    Minimise(app, 0);
    TrayMouse(app, WM_MOUSEMOVE);
    TrayMouse(app, WM_LBUTTONUP);
    TrayMouse(app, WM_LBUTTONDBLCLK);
    app.Settle();
    EXPECT_TRUE(Hidden(app)) << "only a button going down over the icon counts";

    TrayMouse(app, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return Shown(app); }));
    app.Settle();
    EXPECT_EQ(app.SelectedRow(), 0);
}

TEST_F(Tray, SystemMenuMinimiseBehavesLikeTheCaptionButtonAndAnEmptyListStaysUnselected) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    Minimise(app, -1);
    TrayMouse(app, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return Shown(app); }));
    app.Settle();
    EXPECT_EQ(app.RowCount(), 0);
    EXPECT_EQ(app.SelectedRow(), -1);
}

TEST_F(Tray, RightClickOpensTheTrayMenuAndOpenRestoresWithoutSelecting) {
    ASSERT_TRUE(WriteSettingsFile(kTwoRows));
    Keystride app;
    ASSERT_TRUE(app.Started());
    Minimise(app, 0);

    HWND menu = RightClickForMenu(app);
    ASSERT_TRUE(menu);
    EXPECT_TRUE(Hidden(app)) << "the menu comes up without the window";
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
    app.Settle();
    EXPECT_TRUE(Hidden(app));

    // The menu's "Open", as choosing it sends it.
    app.Command(IDM_OPEN);
    EXPECT_TRUE(WaitUntil([&] { return Shown(app); }));
    app.Settle();
    EXPECT_EQ(app.SelectedRow(), -1);
}

TEST_F(Tray, HiddenWithoutIconComesBackThroughTheActivationMessage) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    Minimise(app, 1);
    PostMessageA(app.Main(), WM_KEYSTRIDE_ACTIVATE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return Shown(app); }));

    // From the tray as well; a later left click finds the program shown.
    Minimise(app, 0);
    PostMessageA(app.Main(), WM_KEYSTRIDE_ACTIVATE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return Shown(app); }));
    TrayMouse(app, WM_LBUTTONDOWN);
    app.Settle();
    EXPECT_TRUE(Shown(app));
}

TEST_F(Tray, TheIconIsThereExactlyWhileTheProgramSitsInTheTray) {
    FakeNotificationArea shell;
    ASSERT_TRUE(shell.Present());
    Keystride app;
    ASSERT_TRUE(app.Started());
    EXPECT_EQ(shell.Requests(), Requests{});

    Minimise(app, 0);
    EXPECT_EQ(shell.Requests(), (Requests{NIM_ADD}));
    TrayMouse(app, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([&] { return Shown(app); }));
    app.Settle();
    EXPECT_EQ(shell.Requests(), (Requests{NIM_ADD, NIM_DELETE}));

    // Hidden without an icon: nothing for the shell at all.
    shell.Forget();
    Minimise(app, 1);
    PostMessageA(app.Main(), WM_KEYSTRIDE_ACTIVATE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return Shown(app); }));
    app.Settle();
    EXPECT_EQ(shell.Requests(), Requests{});

    // Brought back by the activation message the icon stays, even through a
    // later left click; Exit takes it away.
    Minimise(app, 0);
    PostMessageA(app.Main(), WM_KEYSTRIDE_ACTIVATE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return Shown(app); }));
    TrayMouse(app, WM_LBUTTONDOWN);
    app.Settle();
    EXPECT_EQ(shell.Requests(), (Requests{NIM_ADD}));
    ASSERT_TRUE(app.Exit());
    EXPECT_EQ(shell.Requests(), (Requests{NIM_ADD, NIM_DELETE}));
}

// The shell shows the icon at the small-icon size; one loaded large and
// left to the shell to shrink looks blurred. A new DPI gives it anew.
TEST_F(Tray, TheIconHasTheSmallIconSizeOfTheDisplay) {
    FakeNotificationArea shell;
    for (const UINT dpi : {96u, 144u}) {
        SCOPED_TRACE(dpi);
        const DisplayScaling scaling(dpi);
        Keystride app;
        ASSERT_TRUE(app.Started());
        const UINT small = static_cast<UINT>(ui::SystemMetricAt(SM_CXSMICON, dpi));
        Minimise(app, 0);
        ASSERT_EQ(shell.Icons().size(), 1u);
        EXPECT_EQ(shell.Icons().back().width, small);
        EXPECT_EQ(shell.Icons().back().tip, L"Keystride\r\nCtrl+Alt+Shift+J: Jump from Clipboard")
            << "the program's name, and the default hotkey that jumps";
        ASSERT_TRUE(app.SendDpiChange(dpi == 96 ? 144 : 96, BoundsOf(app.Main())));
        EXPECT_EQ(shell.Requests(), (Requests{NIM_ADD, NIM_MODIFY}));
        EXPECT_EQ(shell.Icons().back().width, small) << "the taskbar's DPI has not changed";
        ASSERT_TRUE(app.Exit());
        shell.Forget();
    }
}

TEST_F(Tray, ARestartedTaskbarGetsTheIconBackOnlyWhileThereIsOne) {
    FakeNotificationArea shell;
    Keystride app;
    ASSERT_TRUE(app.Started());
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");

    PostMessageA(app.Main(), taskbarCreated, 0, 0);
    app.Settle();
    EXPECT_EQ(shell.Requests(), Requests{}) << "shown: no icon to give back";

    Minimise(app, 0);
    PostMessageA(app.Main(), taskbarCreated, 0, 0);
    app.Settle();
    EXPECT_EQ(shell.Requests(), (Requests{NIM_ADD, NIM_ADD}));

    TrayMouse(app, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([&] { return Shown(app); }));
    PostMessageA(app.Main(), taskbarCreated, 0, 0);
    app.Settle();
    EXPECT_EQ(shell.Requests(), (Requests{NIM_ADD, NIM_ADD, NIM_DELETE}));
}

TEST_F(Tray, TheIconKeepsOneIdentifierAcrossStarts) {
    FakeNotificationArea shell;
    std::vector<UINT> identifiers;
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        Keystride app;
        ASSERT_TRUE(app.Started());
        Minimise(app, 0);
        TrayMouse(app, WM_LBUTTONDOWN);
        ASSERT_TRUE(WaitUntil([&] { return Shown(app); }));
        app.Settle();
        const std::vector<FakeNotificationArea::Icon> icons = shell.Icons();
        ASSERT_EQ(icons.size(), 2u);
        for (const auto& icon : icons) {
            EXPECT_EQ(icon.window, app.Main()) << "the record is read where Wine keeps it";
            EXPECT_EQ(icon.id, icons[0].id) << "added and removed under one identifier";
            EXPECT_NE(icon.id, static_cast<UINT>(reinterpret_cast<UINT_PTR>(app.Main())))
                << "not the window's handle, which changes with every start";
        }
        identifiers.push_back(icons[0].id);
        ASSERT_TRUE(app.Exit());
        shell.Forget();
    }
    EXPECT_EQ(identifiers[0], identifiers[1]);
}

TEST_F(Tray, ASecondStartBringsTheFirstBackFromTheTrayAndEnds) {
    ASSERT_TRUE(WriteSettingsFile(kTwoRows));
    Keystride app;
    ASSERT_TRUE(app.Started());
    Minimise(app, 0);

    ChildProcess second(Quoted(KS_BUILD_DIR "/keystride.exe"));
    DWORD code = 1;
    ASSERT_TRUE(second.Wait(kWaitMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitUntil([&] { return Shown(app); }));
    EXPECT_FALSE(app.Process().Wait(0));
    EXPECT_EQ(MainWindowCount(), 1);
    EXPECT_EQ(app.RowCount(), 2);
    EXPECT_EQ(ReadWholeFile(SettingsFolder() + "\\options.ini"), kTwoRows)
        << "the second start leaves the settings alone";
}

TEST_F(Tray, TwoStartsAtOnceOpenOneWindow) {
    ChildProcess first(Quoted(KS_BUILD_DIR "/keystride.exe"));
    ChildProcess second(Quoted(KS_BUILD_DIR "/keystride.exe"));
    ASSERT_TRUE(WaitUntil([&] { return first.Wait(0) || second.Wait(0); }));
    const ChildProcess& ended = first.Wait(0) ? first : second;
    const ChildProcess& running = first.Wait(0) ? second : first;
    DWORD code = 1;
    ASSERT_TRUE(ended.Wait(0, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(running.Wait(0));
    HWND main = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (main = FindWindowA(kMainClass, nullptr)) && IsWindowVisible(main);
    }));
    DWORD owner = 0;
    GetWindowThreadProcessId(main, &owner);
    EXPECT_EQ(owner, GetProcessId(running.Handle()));
    EXPECT_EQ(MainWindowCount(), 1);
}

TEST_F(Tray, ExitFromTheTrayMenuSavesAndEnds) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    app.Send(IDC_AUTO_COPY, BM_CLICK);
    Minimise(app, 0);
    app.Command(IDM_EXIT);
    DWORD code = 1;
    ASSERT_TRUE(app.Process().Wait(kWaitMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_NE(ReadWholeFile(SettingsFolder() + "\\options.ini").find("[Copy]\r\nEnable=1"),
              std::string::npos);
}

TEST_F(Tray, MaximiseThenRestoreGivesBackTheEarlierBoundsAlsoAfterARestart) {
    const Bounds normal{100, 80, 640, 560};
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        SetWindowPos(app.Main(), nullptr, normal.left, normal.top, normal.width, normal.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        app.Settle();
        ASSERT_EQ(BoundsOf(app.Main()), normal);

        PostMessageA(app.Main(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsZoomed(app.Main()) != FALSE; }));
        PostMessageA(app.Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(app.Main()); }));
        app.Settle();
        EXPECT_EQ(BoundsOf(app.Main()), normal);

        // Maximised another way (Aero Snap, Win+Up: no SC_MAXIMIZE) after a
        // move, Restore goes back to where the window was moved.
        const Bounds moved{120, 90, 600, 540};
        SetWindowPos(app.Main(), nullptr, moved.left, moved.top, moved.width, moved.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(app.Main(), SW_MAXIMIZE);
        ASSERT_TRUE(IsZoomed(app.Main()));
        PostMessageA(app.Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(app.Main()); }));
        app.Settle();
        EXPECT_EQ(BoundsOf(app.Main()), moved);
        SetWindowPos(app.Main(), nullptr, normal.left, normal.top, normal.width, normal.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);

        // The caption's double click asks with the low bits set.
        PostMessageA(app.Main(), WM_SYSCOMMAND, SC_MAXIMIZE | 2, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsZoomed(app.Main()) != FALSE; }));
        ASSERT_TRUE(app.Exit());
    }
    const std::string saved = ReadWholeFile(SettingsFolder() + "\\options.ini");
    EXPECT_NE(saved.find("Maximized=1"), std::string::npos);
    EXPECT_NE(saved.find("NormalLeft=100\r\nNormalTop=80\r\nNormalWidth=640\r\nNormalHeight=560"),
              std::string::npos);

    Keystride app;
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(IsZoomed(app.Main()));
    PostMessageA(app.Main(), WM_SYSCOMMAND, SC_RESTORE | 2, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(app.Main()); }));
    app.Settle();
    EXPECT_EQ(BoundsOf(app.Main()), normal);
}

// The per-user text value `name` of a key under HKEY_CURRENT_USER; nothing
// when it is not there.
std::optional<std::string> UserValue(const char* key, const char* name) {
    char data[2048] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data);
}

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kLinkCommandKey[] = "Software\\Classes\\keystride\\shell\\open\\command";

// Start with Windows and Open keystride: Links write exactly their values
// and take them back; --tray starts in the notification area, once; a link
// run as the shell runs it asks first, and only Yes jumps.
TEST_F(Tray, StartWithWindowsAndLinksAreTheUsersChoiceAndLinksAskFirst) {
    struct Cleanup {
        ~Cleanup() {
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "Keystride");
            RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\keystride");
        }
    } cleanup;
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        app.Command(IDM_START_WITH_WINDOWS);
        ASSERT_TRUE(WaitUntil([] { return UserValue(kRunKey, "Keystride").has_value(); }));
        const std::string run = *UserValue(kRunKey, "Keystride");
        EXPECT_TRUE(EndsWith(run, "keystride.exe\" --tray")) << run;
        EXPECT_EQ(run.front(), '"') << run;
        app.Command(IDM_START_WITH_WINDOWS);
        EXPECT_TRUE(WaitUntil([] { return !UserValue(kRunKey, "Keystride"); }));
        app.Command(IDM_OPEN_LINKS);
        ASSERT_TRUE(WaitUntil([] { return UserValue(kLinkCommandKey, "").has_value(); }));
        EXPECT_TRUE(EndsWith(*UserValue(kLinkCommandKey, ""), "keystride.exe\" \"%1\""));
        EXPECT_EQ(UserValue("Software\\Classes\\keystride", "URL Protocol"), "");
        ASSERT_TRUE(app.Exit());
    }

    FakeNotificationArea shell;
    ChildProcess inTray(Quoted(KS_BUILD_DIR "/keystride.exe") + " --tray");
    // Added once, already naming the hotkey: the hotkeys are registered first.
    ASSERT_TRUE(WaitUntil([&] { return !shell.Icons().empty(); }));
    EXPECT_EQ(shell.Icons().front().tip, L"Keystride\r\nCtrl+Alt+Shift+J: Jump from Clipboard");
    HWND main = FindWindowA(kMainClass, nullptr);
    ASSERT_TRUE(main);
    EXPECT_FALSE(IsWindowVisible(main)) << "hidden, as after a minimise";
    ChildProcess again(Quoted(KS_BUILD_DIR "/keystride.exe") + " --tray");
    DWORD code = 1;
    ASSERT_TRUE(again.Wait(kWaitMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(MainWindowCount(), 1);
    EXPECT_FALSE(IsWindowVisible(main)) << "a second start with Windows changes nothing";
    EXPECT_EQ(shell.Requests(), Requests{NIM_ADD}) << "the icon was added whole, once";

    CloseRegistryEditor();
    const std::string link = "\"keystride:HKEY_CURRENT_USER%5CSoftware%5CWine\"";
    const CommandLineRun declined = RunKeystride(link, IDNO);
    EXPECT_EQ(declined.box,
              "A link asks to show HKEY_CURRENT_USER\\Software\\Wine in the Registry Editor. "
              "Show it?");
    EXPECT_EQ(declined.exitCode, 1u);
    EXPECT_FALSE(FindWindowA("RegEdit_RegEdit", nullptr)) << "No does nothing";
    const CommandLineRun accepted = RunKeystride(link, IDYES);
    EXPECT_EQ(accepted.exitCode, 0u) << accepted.box;
    EXPECT_TRUE(EndsWith(RegeditStatus(), "HKEY_CURRENT_USER\\Software\\Wine")) << RegeditStatus();
    CloseRegistryEditor();
    PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(inTray.Wait(kWaitMs));
}

// Presses keys as the keyboard does, modifiers first, for whichever window
// takes them: a hotkey is the system's, whatever has the focus.
void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (const WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The hotkeys of the settings file: Jump from Clipboard works from the
// tray; one another program holds is reported once, by name, and Keystride
// runs on without it.
TEST_F(Tray, TheHotkeysJumpFromTheTrayAndOneHeldElsewhereIsReportedOnce) {
    ASSERT_TRUE(WriteSettingsFile("[Hotkeys]\r\nJumpFromClipboard=Ctrl+Shift+F9\r\n"
                                  "ShowWindow=Ctrl+Alt+Shift+K\r\n"));
    ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'K'));
    struct Release {
        ~Release() { UnregisterHotKey(nullptr, 7); }
    } release;
    Keystride app;
    ASSERT_TRUE(app.Started());
    HWND box = app.WaitForWindow("Keystride", "#32770");
    ASSERT_TRUE(box) << "no box for the hotkey held here";
    EXPECT_EQ(MessageBoxText(box),
              "The hotkey Ctrl+Alt+Shift+K is used by another program. Keystride runs on "
              "without it.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(app.WaitGone(box));

    CloseRegistryEditor();
    Minimise(app, 0);
    ASSERT_TRUE(PutClipboardText("HKCU\\Software\\Wine"));
    PressKeys({VK_CONTROL, VK_SHIFT, VK_F9});
    EXPECT_TRUE(WaitUntil([] { return EndsWith(RegeditStatus(), "HKEY_CURRENT_USER\\Software\\Wine"); }))
        << RegeditStatus();
    EXPECT_FALSE(Shown(app)) << "the jump leaves Keystride in the tray";
    CloseRegistryEditor();
}

// Started in the tray, Keystride names a hotkey another program holds when
// its window first shows, not over a window nobody sees.
TEST_F(Tray, AHotkeyHeldElsewhereIsNamedWhenAStartInTheTrayFirstShowsTheWindow) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'K'));
    struct Release {
        ~Release() { UnregisterHotKey(nullptr, 7); }
    } release;
    FakeNotificationArea shell;
    ChildProcess inTray(Quoted(KS_BUILD_DIR "/keystride.exe") + " --tray");
    ASSERT_TRUE(WaitUntil([&] { return !shell.Icons().empty(); }));
    HWND main = FindWindowA(kMainClass, nullptr);
    ASSERT_TRUE(main);
    const DWORD process = GetProcessId(inTray.Handle());
    // Everything posted before this marker has been handled once it is.
    HWND keyBox = FindControl(main, IDC_KEY_BOX);
    SendMessageA(keyBox, EM_SETMODIFY, FALSE, 0);
    PostMessageA(keyBox, EM_SETMODIFY, TRUE, 0);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(keyBox, EM_GETMODIFY, 0, 0) != 0; }));
    EXPECT_FALSE(FindProcessWindow(process, "Keystride", "#32770")) << "a box in the tray";

    PostMessageA(main, WM_KEYSTRIDE_TRAYICON, reinterpret_cast<WPARAM>(main), WM_LBUTTONDOWN);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindProcessWindow(process, "Keystride", "#32770")); }));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(MessageBoxText(box),
              "The hotkey Ctrl+Alt+Shift+K is used by another program. Keystride runs on "
              "without it.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(inTray.Wait(kWaitMs));
}

// A hotkey a file gives both commands is the jump's, and no other program
// is blamed for it.
TEST_F(Tray, AHotkeyGivenTwiceInTheFileIsTheJumpsAlone) {
    ASSERT_TRUE(WriteSettingsFile("[Hotkeys]\r\nJumpFromClipboard=Ctrl+Shift+F9\r\n"
                                  "ShowWindow=ctrl+shift+f9\r\n"));
    FakeNotificationArea shell;
    Keystride app;
    ASSERT_TRUE(app.Started());
    app.Settle();  // a box said at the start is open by now
    EXPECT_FALSE(FindProcessWindow(app.ProcessId(), "Keystride", "#32770"));
    Minimise(app, 0);
    ASSERT_FALSE(shell.Icons().empty());
    EXPECT_EQ(shell.Icons().back().tip, L"Keystride\r\nCtrl+Shift+F9: Jump from Clipboard");
}

// The hotkeys are free while the Hotkeys window is open, so that they can be
// typed into it, and held again after it; beneath another window of
// Keystride's they run nothing.
TEST_F(Tray, HotkeysRestWhileAWindowOfKeystridesIsOpen) {
    const auto free = [] {
        const bool registered = RegisterHotKey(nullptr, 8, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'J');
        if (registered) UnregisterHotKey(nullptr, 8);
        return registered;
    };
    Keystride app;
    ASSERT_TRUE(app.Started());
    app.Settle();
    EXPECT_FALSE(free()) << "Keystride holds its default hotkey";
    app.Command(IDM_HOTKEYS);
    HWND dialog = app.WaitForWindow(KS_TEXT_HOTKEYS_CAPTION, "KeystrideHotkeys");
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(free()) << "while the Hotkeys window is open";
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(app.WaitGone(dialog));
    app.Settle();
    EXPECT_FALSE(free()) << "held again after Cancel";

    ASSERT_TRUE(PutClipboardText("no path here"));
    app.Command(IDC_ABOUT);
    HWND about = app.WaitForWindow(KS_TEXT_ABOUT_CAPTION);
    ASSERT_TRUE(about);
    PressKeys({VK_CONTROL, VK_MENU, VK_SHIFT, 'J'});
    app.Settle();
    EXPECT_FALSE(FindProcessWindow(app.ProcessId(), "Keystride", "#32770"))
        << "Jump from Clipboard ran beneath About";
    PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitGone(about));
    PressKeys({VK_CONTROL, VK_MENU, VK_SHIFT, 'J'});
    HWND box = app.WaitForWindow("Keystride", "#32770");
    ASSERT_TRUE(box) << "the hotkey works once About is closed";
    EXPECT_EQ(MessageBoxText(box), "The clipboard holds no registry path.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(app.WaitGone(box));
}

}  // namespace
}  // namespace ks::test
