// A stand-in Registry Editor for the driver tests: a top window of the
// editor's class with a frame holding a tree and a list of the editor's
// class names, logging every key and character message they receive. Its
// windows are Unicode ones: a character message arrives as the UTF-16 unit
// that was sent.
//   fake_regedit <log file> [--hang | --deaf]
// With --hang the tree stops answering after its first message.
// With --deaf the tree and list are the real common controls, filled with a
// few keys and values, and they swallow every keystroke: only a drive that
// selects the target directly, or reads its landing back, gets there.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

FILE* g_log = nullptr;
bool g_hang = false;
WNDPROC g_treeProc = nullptr;
WNDPROC g_listProc = nullptr;

const char* NameOf(HWND window) {
    static char name[64];
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Logs a keystroke; true when it was one.
bool LogKeystroke(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_KEYDOWN && message != WM_KEYUP && message != WM_CHAR) return false;
    std::fprintf(g_log, "%lu %s %u %llu %lld\n", GetTickCount(), NameOf(window), message,
                 static_cast<unsigned long long>(wParam), static_cast<long long>(lParam));
    std::fflush(g_log);
    return true;
}

LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LogKeystroke(window, message, wParam, lParam)) {
        if (g_hang) Sleep(INFINITE);
        return 0;
    }
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK DeafTreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LogKeystroke(window, message, wParam, lParam)) return 0;
    return CallWindowProcW(g_treeProc, window, message, wParam, lParam);
}

LRESULT CALLBACK DeafListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LogKeystroke(window, message, wParam, lParam)) return 0;
    return CallWindowProcW(g_listProc, window, message, wParam, lParam);
}

void Register(const wchar_t* className) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = LoggingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
}

HTREEITEM AddItem(HWND tree, HTREEITEM parent, const char* text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// The editor's layout in small: the computer, two roots, and siblings that
// share a name up to a blank.
void FillDeafControls(HWND tree, HWND list) {
    HTREEITEM computer = AddItem(tree, TVI_ROOT, "My Computer");
    HTREEITEM user = AddItem(tree, computer, "HKEY_CURRENT_USER");
    HTREEITEM software = AddItem(tree, user, "Software");
    AddItem(tree, software, "Foo Bar");
    AddItem(tree, AddItem(tree, software, "Foo"), "Deeper");
    AddItem(tree, AddItem(tree, computer, "HKEY_LOCAL_MACHINE"), "Software");
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(computer));

    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 140;
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    int row = 0;
    for (const char* name : {"(Default)", "Bar Baz", "Bar"}) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row++;
        item.pszText = const_cast<char*>(name);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    g_log = std::fopen(argv[1], "w");
    if (!g_log) return 3;
    g_hang = argc > 2 && std::strcmp(argv[2], "--hang") == 0;
    const bool deaf = argc > 2 && std::strcmp(argv[2], "--deaf") == 0;

    for (const wchar_t* name : {L"RegEdit_RegEdit", L"FakeFrame"}) Register(name);
    if (!deaf)
        for (const wchar_t* name : {L"SysTreeView32", L"SysListView32"}) Register(name);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    if (deaf) InitCommonControlsEx(&controls);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND top = CreateWindowExA(0, "RegEdit_RegEdit", "Fake editor", WS_OVERLAPPEDWINDOW, 0, 0,
                               300, 200, nullptr, nullptr, instance, nullptr);
    HWND frame = CreateWindowExA(0, "FakeFrame", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, top,
                                 nullptr, instance, nullptr);
    const DWORD treeStyle = deaf ? WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_SHOWSELALWAYS : WS_CHILD;
    const DWORD listStyle = deaf ? WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER : WS_CHILD;
    HWND tree = CreateWindowExA(0, "SysTreeView32", "", treeStyle, 0, 0, 150, 200, frame, nullptr,
                                instance, nullptr);
    HWND list = CreateWindowExA(0, "SysListView32", "", listStyle, 150, 0, 150, 200, frame,
                                nullptr, instance, nullptr);
    if (deaf) {
        FillDeafControls(tree, list);
        g_treeProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DeafTreeProc)));
        g_listProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DeafListProc)));
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    std::fclose(g_log);
    return 0;
}
