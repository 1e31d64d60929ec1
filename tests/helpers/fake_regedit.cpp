// A stand-in Registry Editor for the driver tests: a top window of the
// editor's class with a frame holding a tree and a list of the editor's
// class names, logging every key and character message they receive.
//   fake_regedit <log file> [--hang]
// With --hang the tree stops answering after its first message.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

FILE* g_log = nullptr;
bool g_hang = false;

const char* NameOf(HWND window) {
    static char name[64];
    GetClassNameA(window, name, sizeof name);
    return name;
}

LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR) {
        std::fprintf(g_log, "%lu %s %u %llu %lld\n", GetTickCount(), NameOf(window), message,
                     static_cast<unsigned long long>(wParam), static_cast<long long>(lParam));
        std::fflush(g_log);
        if (g_hang) Sleep(INFINITE);
        return 0;
    }
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Register(const char* className) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = LoggingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    g_log = std::fopen(argv[1], "w");
    if (!g_log) return 3;
    g_hang = argc > 2 && std::strcmp(argv[2], "--hang") == 0;

    for (const char* name : {"RegEdit_RegEdit", "FakeFrame", "SysTreeView32", "SysListView32"})
        Register(name);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND top = CreateWindowExA(0, "RegEdit_RegEdit", "Fake editor", WS_OVERLAPPEDWINDOW, 0, 0,
                               300, 200, nullptr, nullptr, instance, nullptr);
    HWND frame = CreateWindowExA(0, "FakeFrame", "", WS_CHILD, 0, 0, 300, 200, top, nullptr,
                                 instance, nullptr);
    CreateWindowExA(0, "SysTreeView32", "", WS_CHILD, 0, 0, 150, 200, frame, nullptr, instance,
                    nullptr);
    CreateWindowExA(0, "SysListView32", "", WS_CHILD, 150, 0, 150, 200, frame, nullptr,
                    instance, nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    std::fclose(g_log);
    return 0;
}
