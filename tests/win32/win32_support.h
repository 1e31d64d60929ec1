#pragma once
// Small helpers for the tests that run under Wine: child processes, waiting
// for windows, temporary files.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/win32/owned_handle.h"

namespace ks::test {

// A started program, ended when the object goes (terminated if still running).
class ChildProcess {
public:
    // The command line in UTF-8, given to the program as UTF-16.
    explicit ChildProcess(const std::string& commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::wstring mutableLine(
            static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, commandLine.c_str(), -1, nullptr, 0)),
            L'\0');
        MultiByteToWideChar(CP_UTF8, 0, commandLine.c_str(), -1, mutableLine.data(),
                            static_cast<int>(mutableLine.size()));
        if (!mutableLine.empty() &&
            CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info)) {
            process_ = KernelHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
    ~ChildProcess() {
        if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.Get(), 1);
        if (process_) WaitForSingleObject(process_.Get(), 5000);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    // True when it ended within the time; `exitCode` then holds its code.
    bool Wait(DWORD milliseconds, DWORD* exitCode = nullptr) const {
        if (WaitForSingleObject(process_.Get(), milliseconds) != WAIT_OBJECT_0) return false;
        if (exitCode) GetExitCodeProcess(process_.Get(), exitCode);
        return true;
    }
    HANDLE Handle() const { return process_.Get(); }

private:
    KernelHandle process_;
};

inline HWND WaitForTopWindow(const char* className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        if (HWND window = FindWindowA(className, nullptr)) return window;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

inline std::string TempFilePath(const std::string& name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// Replaces the file's contents; true when every byte was written.
inline bool WriteWholeFile(const std::string& path, const std::string& text) {
    const FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// Closes a running Registry Editor and waits for its process to end.
inline void CloseRegistryEditor() {
    HWND editor = FindWindowA("RegEdit_RegEdit", nullptr);
    if (!editor) return;
    DWORD processId = 0;
    GetWindowThreadProcessId(editor, &processId);
    KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    PostMessageA(editor, WM_CLOSE, 0, 0);
    if (process) WaitForSingleObject(process.Get(), 10000);
}

inline std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A window's text, asked for with a bound.
inline std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

inline std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The text of a message box: its static with the identifier 0xFFFF.
inline std::string MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : std::string();
}

}  // namespace ks::test
