#include "ui/maker_links.h"

#include <shellapi.h>

#include <iterator>

#include "platform/win32/com_apartment.h"
#include "resource.h"
#include "texts.h"
#include "ui/window_text.h"

namespace ks::ui {
namespace {

std::string Address(HINSTANCE instance, MakerPage page) {
    switch (page) {
    case MakerPage::Home: return LoadText(instance, IDS_URL_HOME, KS_URL_HOME);
    case MakerPage::Product: return LoadText(instance, IDS_URL_PRODUCT, KS_URL_PRODUCT);
    case MakerPage::Update: break;
    }
    return LoadText(instance, IDS_URL_UPDATE, KS_URL_UPDATE);
}

void Open(HWND owner, const char* operation, const std::string& address) {
    EnsureComApartment();
    ShellExecuteW(owner, Wide(operation).c_str(), Wide(address).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace

std::string LoadText(HINSTANCE instance, UINT id, const char* builtIn) {
    wchar_t text[1024] = {};
    const int length = LoadStringW(instance, id, text, static_cast<int>(std::size(text)));
    if (length > 0) return Narrow(std::wstring_view(text, static_cast<std::size_t>(length)));
    return builtIn;
}

void OpenMakerPage(HINSTANCE instance, HWND owner, MakerPage page) {
    Open(owner, "Open", Address(instance, page));
}

void OpenUpdateLinkTarget(HINSTANCE instance) {
    std::string target = Address(instance, MakerPage::Update);
    const auto blank = [](char c) { return c == ' '; };
    while (!target.empty() && blank(target.back())) target.pop_back();
    std::size_t first = 0;
    while (first < target.size() && blank(target[first])) ++first;
    if (first < target.size()) Open(nullptr, "open", target.substr(first));
}

}  // namespace ks::ui
