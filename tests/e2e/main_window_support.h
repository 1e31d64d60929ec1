#pragma once
// Driving a running keystride.exe from outside, the way automation tools do:
// its windows found by class and caption, its controls by their identifiers,
// commands posted, the list view read across the process boundary.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/win32/wide_strings.h"
#include "platform/win32/remote_memory.h"
#include "ui/control_ids.h"
#include "win32/screenshot.h"
#include "win32/win32_support.h"

namespace ks::test {

inline constexpr char kMainClass[] = "Keystride Made by Korvel Software";
inline constexpr DWORD kWaitMs = 10000;

// Polls until `done` holds or the time is up; the result of the last poll.
inline bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(25);
    }
}

// The same through the W messages: the text as the program's Unicode
// windows hold it, unit for unit.
inline std::wstring WideWindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

inline void SetWideWindowText(HWND window, const std::wstring& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &result);
}

// Key names in the scripts users name them in: Cyrillic, Greek, CJK (表's
// double-byte form in Shift-JIS ends in 0x5C, a backslash byte) and one with
// a character outside the Basic Multilingual Plane (a surrogate pair).
inline const std::wstring kScriptNames[] = {L"Программы", L"Λογισμικό", L"表示設定",
                                            L"Ключ \U0001F511"};

namespace detail {

struct ControlSearch {
    int id;
    HWND found;
};

inline BOOL CALLBACK MatchControl(HWND child, LPARAM data) {
    auto& search = *reinterpret_cast<ControlSearch*>(data);
    if (GetDlgCtrlID(child) != search.id) return TRUE;
    search.found = child;
    return FALSE;
}

struct WindowSearch {
    DWORD processId;
    const std::string& caption;
    const char* className;
    HWND found;
};

inline BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    if (search.className && ClassOf(window) != search.className) return TRUE;
    if (WindowText(window) != search.caption) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace detail

// The first descendant with the identifier, at any depth.
inline HWND FindControl(HWND parent, int id) {
    detail::ControlSearch search{id, nullptr};
    EnumChildWindows(parent, detail::MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A visible top-level window of the process with this caption (and class,
// when given).
inline HWND FindProcessWindow(DWORD processId, const std::string& caption,
                              const char* className = nullptr) {
    detail::WindowSearch search{processId, caption, className, nullptr};
    EnumWindows(detail::MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Column `subItem` of a list view row in another process, unit for unit.
inline std::optional<std::wstring> WideListCellText(HWND list, int item, int subItem) {
    constexpr std::size_t kCapacity = 70000;
    const auto memory = RemoteMemory::Reserve(list, sizeof(LVITEMW) + kCapacity * sizeof(wchar_t));
    if (!memory) return std::nullopt;
    const std::uintptr_t buffer = memory->Address() + sizeof(LVITEMW);
    LVITEMW record{};
    record.iSubItem = subItem;
    record.pszText = reinterpret_cast<LPWSTR>(buffer);
    record.cchTextMax = static_cast<int>(kCapacity);
    if (!memory->Write(0, &record, sizeof record)) return std::nullopt;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                             static_cast<LPARAM>(memory->Address()), SMTO_ABORTIFHUNG, 5000,
                             &length))
        return std::nullopt;
    std::wstring text(length, L'\0');
    if (length && !memory->Read(buffer, text.data(), length * sizeof(wchar_t)))
        return std::nullopt;
    return text;
}

// The same in the program's own 8-bit form.
inline std::optional<std::string> ListCellText(HWND list, int item, int subItem) {
    const std::optional<std::wstring> text = WideListCellText(list, item, subItem);
    if (!text) return std::nullopt;
    return Narrow(*text);
}

// A row's rectangle in the list view's client coordinates.
inline std::optional<RECT> ListRowRect(HWND list, int item) {
    const auto memory = RemoteMemory::Reserve(list, sizeof(RECT));
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    if (!memory || !memory->Write(0, &rect, sizeof rect)) return std::nullopt;
    if (!SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                      static_cast<LPARAM>(memory->Address())) ||
        !memory->Read(memory->Address(), &rect, sizeof rect))
        return std::nullopt;
    return rect;
}

inline std::string SettingsFolder() {
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return std::string(appData) + "\\Korvel\\Keystride";
}

// The Registry Editor's status bar (the selected key's path), read as
// UTF-16 and given in the program's UTF-8 form.
inline std::string RegeditStatus() {
    HWND editor = FindWindowA("RegEdit_RegEdit", nullptr);
    if (!editor) return {};
    return Narrow(WideWindowText(FindWindowExA(editor, nullptr, "msctls_statusbar32", nullptr)));
}

inline bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A window's outer bounds in screen pixels, comparable in one expectation.
struct Bounds {
    int left, top, width, height;
    bool operator==(const Bounds&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Bounds& b) {
        return out << b.left << "," << b.top << " " << b.width << "x" << b.height;
    }
};

inline Bounds BoundsOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Replaces the settings file with `text`, creating the folder if need be.
inline bool WriteSettingsFile(const std::string& text) {
    SHCreateDirectoryExA(nullptr, SettingsFolder().c_str(), nullptr);
    return WriteWholeFile(SettingsFolder() + "\\options.ini", text);
}

inline void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

// Runs `read` on the open clipboard, once it could be opened.
template <typename Read>
void WithOpenClipboard(Read read) {
    WaitUntil([&] {
        if (!OpenClipboard(nullptr)) return false;
        read();
        CloseClipboard();
        return true;
    });
}

// The text of the clipboard's `format` (CF_TEXT or CF_UNICODETEXT).
template <typename Unit>
std::optional<std::basic_string<Unit>> ClipboardUnits(UINT format) {
    std::optional<std::basic_string<Unit>> text;
    if (HANDLE data = GetClipboardData(format)) {
        if (const auto* units = static_cast<const Unit*>(GlobalLock(data))) {
            text = units;
            GlobalUnlock(data);
        }
    }
    return text;
}

inline std::optional<std::string> ClipboardText() {
    std::optional<std::string> text;
    WithOpenClipboard([&] { text = ClipboardUnits<char>(CF_TEXT); });
    return text;
}

// The clipboard's Unicode text, when that is the text form its writer
// offered (the system lists the forms it makes up after the offered ones).
inline std::optional<std::wstring> ClipboardUnicodeText() {
    std::optional<std::wstring> text;
    WithOpenClipboard([&] {
        UINT format = EnumClipboardFormats(0);
        while (format && format != CF_UNICODETEXT && format != CF_TEXT)
            format = EnumClipboardFormats(format);
        if (format == CF_UNICODETEXT) text = ClipboardUnits<wchar_t>(CF_UNICODETEXT);
    });
    return text;
}

// The display scaling that programs started from now on see (the system's
// pixels per inch), put back as it was when the object goes.
class DisplayScaling {
public:
    explicit DisplayScaling(DWORD dpi) {
        DWORD size = sizeof previous_;
        had_ = RegGetValueA(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &previous_,
                            &size) == ERROR_SUCCESS;
        Set(dpi);
    }
    ~DisplayScaling() {
        if (had_)
            Set(previous_);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, kValue);
    }
    DisplayScaling(const DisplayScaling&) = delete;
    DisplayScaling& operator=(const DisplayScaling&) = delete;

private:
    static constexpr char kKey[] = "Control Panel\\Desktop";
    static constexpr char kValue[] = "LogPixels";
    static void Set(DWORD dpi) {
        RegSetKeyValueA(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &dpi, sizeof dpi);
    }
    DWORD previous_ = 96;
    bool had_ = false;
};

// One run of the program, ended when the object goes.
class Keystride {
public:
    explicit Keystride(const std::string& program = KS_BUILD_DIR "/keystride.exe")
        : process_(Quoted(program)) {
        WaitUntil([this] {
            main_ = MainWindow();
            return main_ && IsWindowVisible(main_);
        });
    }

    bool Started() const { return main_ != nullptr; }
    HWND Main() const { return main_; }
    DWORD ProcessId() const { return GetProcessId(process_.Handle()); }
    const ChildProcess& Process() const { return process_; }
    HWND Control(int id) const { return FindControl(main_, id); }

    // Sends a message and waits until the program has handled it.
    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(Control(id), message, wParam, lParam, SMTO_ABORTIFHUNG, 10000,
                            &result);
        return static_cast<LRESULT>(result);
    }
    // Commands that may open modal windows are posted: sending would wait
    // for the modal window to close.
    void Command(int id) const { PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Waits until everything posted before has been handled (or, for a
    // command that opened a modal window, has begun). Sent messages overtake
    // posted ones, so the marker is a posted message whose effect can be
    // read: the edit box's modified flag, which the program never looks at.
    void Settle() const {
        Send(IDC_KEY_BOX, EM_SETMODIFY, FALSE);
        PostMessageA(Control(IDC_KEY_BOX), EM_SETMODIFY, TRUE, 0);
        WaitUntil([this] { return Send(IDC_KEY_BOX, EM_GETMODIFY) != 0; });
    }

    void SetEditText(const std::string& text) const {
        Send(IDC_KEY_BOX, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::string EditText() const { return WindowText(Control(IDC_KEY_BOX)); }
    void SetEditText(const std::wstring& text) const {
        SetWideWindowText(Control(IDC_KEY_BOX), text);
    }
    std::wstring WideEditText() const { return WideWindowText(Control(IDC_KEY_BOX)); }

    HWND List() const { return Control(IDC_FAVOURITES); }
    int RowCount() const { return static_cast<int>(Send(IDC_FAVOURITES, LVM_GETITEMCOUNT)); }
    int SelectedRow() const {
        return static_cast<int>(
            Send(IDC_FAVOURITES, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    std::vector<std::pair<std::string, std::string>> Rows() const {
        std::vector<std::pair<std::string, std::string>> rows;
        for (int i = 0; i < RowCount(); ++i)
            rows.emplace_back(ListCellText(List(), i, 0).value_or("?"),
                              ListCellText(List(), i, 1).value_or("?"));
        return rows;
    }

    // The control that has the keyboard focus in the program.
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info) ? info.hwndFocus
                                                                              : nullptr;
    }
    int FocusId() const { return GetDlgCtrlID(Focus()); }
    // A key as the keyboard sends it: posted to the window with the focus
    // (or to `target`), down then up.
    void Key(WPARAM key, HWND target = nullptr) const {
        if (!target) target = Focus();
        PostMessageA(target, WM_KEYDOWN, key, 1);
        PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    }

    // Brings the window forward and clicks `control` at `at`: it takes the
    // focus as under the mouse.
    void ClickInto(HWND control, POINT at = {4, 4}) const {
        SetForegroundWindow(main_);
        const LPARAM where = MAKELPARAM(at.x, at.y);
        PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
        PostMessageA(control, WM_LBUTTONUP, 0, where);
        Settle();
    }

    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    bool Checked(int id) const { return Send(id, BM_GETCHECK) == BST_CHECKED; }
    // Enable rules run when the program is idle: waits for the state wanted.
    bool WaitEnabled(int id, bool enabled) const {
        return WaitUntil([&] { return Enabled(id) == enabled; });
    }

    HWND WaitForWindow(const std::string& caption, const char* className = nullptr) const {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindProcessWindow(ProcessId(), caption, className)); });
        return found;
    }
    bool WaitGone(HWND window) const {
        return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
    }

    // Saves what the screen shows of the main window as a PNG.
    bool SaveScreenshot(const std::string& name) const {
        SetForegroundWindow(main_);
        RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        Settle();
        Sleep(300);  // let the X server finish painting before the copy
        return SaveWindowPng(main_, name);
    }

    // Ends the program through its Exit button; true when it ended.
    // What the system sends when the window moves to a monitor of another
    // DPI; the suggested rectangle lives in the program's own memory.
    bool SendDpiChange(UINT dpi, const Bounds& suggested) const {
        const RECT rect{suggested.left, suggested.top, suggested.left + suggested.width,
                        suggested.top + suggested.height};
        const auto remote = RemoteMemory::Reserve(main_, sizeof rect);
        if (!remote || !remote->Write(0, &rect, sizeof rect)) return false;
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(main_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                 static_cast<LPARAM>(remote->Address()), SMTO_ABORTIFHUNG,
                                 kWaitMs, &result))
            return false;
        Settle();
        return true;
    }

    bool Exit() const {
        Command(IDC_EXIT);
        DWORD code = 1;
        return process_.Wait(kWaitMs, &code) && code == 0;
    }

private:
    HWND MainWindow() const {
        HWND found = nullptr;
        while ((found = FindWindowExA(nullptr, found, kMainClass, nullptr))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == GetProcessId(process_.Handle())) return found;
        }
        return nullptr;
    }

    ChildProcess process_;
    HWND main_ = nullptr;
};

// keystride.exe run with arguments, as a command-line jump: the first box
// it shows is answered with `answer` (IDOK, IDYES, IDNO) and its text kept.
struct CommandLineRun {
    bool ended = false;
    DWORD exitCode = 0;
    std::string box;    // empty when none was shown
    bool window = false;  // whether the program's main window appeared
};

inline CommandLineRun RunKeystride(const std::string& arguments, int answer = IDOK,
                                   DWORD timeoutMs = 60000) {
    CommandLineRun run;
    ChildProcess process(Quoted(KS_BUILD_DIR "/keystride.exe") + " " + arguments);
    if (!process.Started()) return run;
    const DWORD id = GetProcessId(process.Handle());
    const DWORD start = GetTickCount();
    while (!(run.ended = process.Wait(20, &run.exitCode)) && GetTickCount() - start < timeoutMs) {
        DWORD owner = 0;
        if (HWND main = FindWindowA(kMainClass, nullptr))
            run.window = run.window || (GetWindowThreadProcessId(main, &owner) && owner == id);
        HWND box = FindProcessWindow(id, "Keystride", "#32770");
        if (box && run.box.empty() && IsWindowVisible(box)) {
            run.box = MessageBoxText(box);
            PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
        }
    }
    return run;
}

}  // namespace ks::test
