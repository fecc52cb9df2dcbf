#include "ui/frmHelp_win.h"

#include "base/LateFunction_win.h"
#include "base/Text_win.h"
#include "lang/SharedLanguage_win.h"
#include "res/resource.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

namespace {

// The home page's text id.
constexpr int32_t kHomePageId = 93;

// Fixed English, as the notification area's own texts are not translated either.
constexpr wchar_t kImportantText[] = L"Important!";
constexpr wchar_t kTrayText[] =
    L"The main window can be opened by a left click on the yellow icon in the notification area of the task bar. "
    L"With a right click on the icon a menu appears where you can pause or end the program.";

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    const size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

// Looked up when the help window first asks for the version.
struct VersionFunctions {
    LateFunction<decltype(::GetFileVersionInfoSizeW)> infoSize{L"version.dll", "GetFileVersionInfoSizeW"};
    LateFunction<decltype(::GetFileVersionInfoW)> info{L"version.dll", "GetFileVersionInfoW"};
    LateFunction<decltype(::VerQueryValueW)> query{L"version.dll", "VerQueryValueW"};
};

const VersionFunctions& Version() {
    static const VersionFunctions functions;
    return functions;
}

std::wstring VersionString(const std::vector<BYTE>& block, const std::wstring& translation, const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\" + translation + L"\\" + name;
    if (!Version().query.Call(FALSE, block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return {};
    std::wstring text(value, length);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

}  // namespace

ProgramVersion ReadProgramVersion() {
    ProgramVersion version;
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = Version().infoSize.Call(DWORD{0}, path, &ignored);
    if (size == 0) return version;
    std::vector<BYTE> block(size);
    if (!Version().info.Call(FALSE, path, DWORD{0}, size, block.data())) return version;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (Version().query.Call(FALSE, block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof *fixed) {
        version.major = HIWORD(fixed->dwFileVersionMS);
        version.minor = LOWORD(fixed->dwFileVersionMS);
        version.revision = HIWORD(fixed->dwFileVersionLS);
    }
    // The first translation the block lists names its string table.
    WORD* translations = nullptr;
    std::wstring translation = L"040904B0";
    if (Version().query.Call(FALSE, block.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translations), &length) &&
        translations && length >= 4) {
        wchar_t name[16] = {};
        ::swprintf(name, 16, L"%04X%04X", translations[0], translations[1]);
        translation = name;
    }
    version.productName = Narrow(VersionString(block, translation, L"ProductName"));
    version.legalCopyright = Narrow(VersionString(block, translation, L"LegalCopyright"));
    return version;
}

frmHelp& HelpWindow() {
    static frmHelp window;
    return window;
}

void frmHelp::CreateControls() {
    AddControl(lblText, L"Static", SS_LEFT | SS_NOPREFIX, {8, 8, 513, 65});

    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LINK_CLASS};
    ::InitCommonControlsEx(&classes);
    const Rect linkPlace{8, 64, 318, 82};
    const HWND link = ::CreateWindowExW(0, WC_LINK, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0,
                                        DialogHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(lblLink)),
                                        ::GetModuleHandleW(nullptr), nullptr);
    AddPlaced(lblLink, link, linkPlace);

    AddControl(lblImportant, L"Static", SS_LEFT | SS_NOPREFIX, {8, 128, 513, 153}, true);
    AddControl(lblTray, L"Static", SS_LEFT | SS_NOPREFIX, {8, 160, 513, 233});
    // The program's icon as the notification area shows it, larger, and beside the version.
    AddControl(imgTray1, L"Static", SS_ICON | SS_REALSIZECONTROL, {16, 252, 32, 268});
    AddControl(imgTray2, L"Static", SS_ICON | SS_REALSIZECONTROL, {48, 244, 80, 276});
    AddControl(Image1, L"Static", SS_ICON | SS_REALSIZECONTROL, {168, 400, 216, 448});
    SetPictures();
    AddControl(lblVersion, L"Static", SS_LEFT | SS_NOPREFIX, {232, 400, 497, 449});
    AddControl(cmdClose, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, {152, 456, 369, 485});

    SetText(lblImportant, kImportantText);
    SetText(lblTray, kTrayText);
    // Built once per load: a language change leaves it as it is.
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    SetText(lblVersion, Widen(HelpVersionText(ReadProgramVersion(), SharedLanguage().GetString(79), now.wYear)));
}

void frmHelp::SetPictures() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const struct {
        int id;
        int size96;
    } pictures[] = {{imgTray1, 16}, {imgTray2, 32}, {Image1, 48}};
    for (const auto& picture : pictures) {
        const int size = ScaleLength(picture.size96, Dpi());
        // Shared icons belong to the system's cache: nothing to destroy.
        const HANDLE icon =
            ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_GLIMMORA), IMAGE_ICON, size, size, LR_SHARED);
        if (icon) ::SendMessageW(Control(picture.id), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
}

void frmHelp::SetLinkText() {
    const HWND link = Control(lblLink);
    if (!link) return;
    const std::wstring address = Text(kHomePageId);
    ::SetWindowTextW(link, (L"<a>" + address + L"</a>").c_str());
    ::SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Normal()), TRUE);
}

void frmHelp::DpiChanged() {
    SetLinkText();
    SetPictures();
}

void frmHelp::Lang_LanguageChange() {
    if (!DialogHwnd()) return;
    ::SetWindowTextW(DialogHwnd(), Text(77).c_str());
    SetText(lblText, Text(78));
    SetLinkText();
    SetText(cmdClose, Text(43));
}

void frmHelp::cmdClose_Click() { HideDialog(); }

void frmHelp::lblLink_Click() {
    const std::wstring address = Text(kHomePageId);
    const std::wstring folder = ProgramFolder();
    // No browser or no network: nothing to tell the user that the browser would not.
    static const LateFunction<decltype(::ShellExecuteW)> shellExecute(L"shell32.dll", "ShellExecuteW");
    shellExecute.Call(HINSTANCE{}, DialogHwnd(), nullptr, address.c_str(), nullptr, folder.c_str(), INT{SW_SHOWNORMAL});
}

LRESULT frmHelp::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // The title bar's close unloads; the next ShowHelp builds the window again.
        UnloadDialog();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == cmdClose) {
            cmdClose_Click();
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == static_cast<UINT_PTR>(lblLink) && (header->code == NM_CLICK || header->code == NM_RETURN)) {
            lblLink_Click();
            return 0;
        }
        break;
    }
    }
    return DialogWindow::HandleMessage(message, wParam, lParam);
}

void ShowHelpWindow(SettingsHost& host, HWND owner) {
    HelpWindow().SetHost(host);
    HelpWindow().ShowDialog(owner);
}
