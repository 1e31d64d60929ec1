#include "ui/ui_kit.h"

namespace ks::ui {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// Functions of user32 that older systems do not have.
template <typename Function>
Function User32Function(const char* name) noexcept {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT ScreenDpi() noexcept {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

BOOL CALLBACK SetFontOnChild(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

constexpr UINT_PTR kContainerSubclass = 1;

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR id, DWORD_PTR data) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CONTEXTMENU:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return SendMessageW(reinterpret_cast<HWND>(data), message, wParam, lParam);
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    default:
        break;
    }
    return PassOn(ContainerProc, id, window, message, wParam, lParam);
}

}  // namespace

UINT DpiOf(HWND window) noexcept {
    // Present from Windows 10 1607 on; looked up so the program still starts
    // on older systems.
    if (const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
        getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    return ScreenDpi();
}

int SystemMetricAt(int index, UINT dpi) noexcept {
    // At any DPI from Windows 10 1607 on; before, at the system's, and
    // scaled from there.
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    if (const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi"))
        return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
}

LOGFONTW MessageFontAt(UINT dpi) noexcept {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    // At any DPI from Windows 10 1607 on; before, at the system's, and
    // scaled from there.
    if (const auto forDpi = User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
        forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return metrics.lfMessageFont;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        LOGFONTW font = metrics.lfMessageFont;
        font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
        return font;
    }
    // The face the system's dialogs fall back on.
    LOGFONTW font{};
    font.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    return font;
}

Font CreateMessageFont(UINT dpi, bool underline) {
    LOGFONTW font = MessageFontAt(dpi);
    if (underline) font.lfUnderline = TRUE;
    return Font(CreateFontIndirectW(&font));
}

Font CreateDesignFont(UINT dpi, int characterHeight, int weight, bool underline) {
    return Font(CreateFontA(-Scale(characterHeight, dpi), 0, 0, 0, weight, FALSE,
                            underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                            "MS Sans Serif"));
}

void ApplyFont(HWND window, HFONT font) noexcept {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EnumChildWindows(window, SetFontOnChild, reinterpret_cast<LPARAM>(font));
}

namespace {

// The screen's device context with a font selected, for measuring.
class FontOnScreen {
public:
    explicit FontOnScreen(HFONT font) noexcept
        : dc_(GetDC(nullptr)), selected_(dc_, reinterpret_cast<HGDIOBJ>(font)) {}
    ~FontOnScreen() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    FontOnScreen(const FontOnScreen&) = delete;
    FontOnScreen& operator=(const FontOnScreen&) = delete;
    HDC Get() const noexcept { return dc_; }

private:
    HDC dc_;
    // Declared after the context: put back before the context goes.
    SelectedObject selected_;
};

HFONT FontOf(HWND control) noexcept {
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

}  // namespace

SIZE TextExtent(HFONT font, std::string_view text) {
    SIZE size{};
    const FontOnScreen screen(font);
    if (!screen.Get()) return size;
    const std::wstring wide = Wide(text);
    GetTextExtentPoint32W(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

int WrappedTextHeight(HFONT font, std::string_view text, int width) {
    const FontOnScreen screen(font);
    if (!screen.Get()) return 0;
    const std::wstring wide = Wide(text);
    RECT bounds{0, 0, width, 0};
    DrawTextW(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &bounds,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return bounds.bottom;
}

TEXTMETRICW FontMetrics(HFONT font) {
    TEXTMETRICW metrics{};
    const FontOnScreen screen(font);
    if (screen.Get()) GetTextMetricsW(screen.Get(), &metrics);
    return metrics;
}

SIZE CaptionExtent(HWND control) { return TextExtent(FontOf(control), WindowText(control)); }

TEXTMETRICW CaptionMetrics(HWND control) { return FontMetrics(FontOf(control)); }

void FitToCaption(HWND label) {
    const SIZE size = CaptionExtent(label);
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HoldControls(HWND groupBox, HWND forwardTo) noexcept {
    SetWindowSubclass(groupBox, ContainerProc, kContainerSubclass,
                      reinterpret_cast<DWORD_PTR>(forwardTo));
}

bool RegisterWindowClass(HINSTANCE instance, const WindowClassDesign& design) noexcept {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = design.style;
    windowClass.lpfnWndProc = design.procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = design.icon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    if (design.backgroundColour >= 0)
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(
            static_cast<INT_PTR>(design.backgroundColour + 1));
    windowClass.lpszClassName = design.name;
    return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace ks::ui
