#include "platform/win32/win32_api.h"

#include <array>
#include <map>

namespace orvanel::platform::win32 {

namespace {

template<class Function> Function lookUp(const wchar_t *module, const char *name)
{
    HMODULE handle = GetModuleHandleW(module);
    if (!handle)
        return nullptr;
    // Through a plain function pointer type, as GetProcAddress's result must be
    // cast to the function's real type.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(handle, name)));
}

using GetDpiForWindowFn = UINT(WINAPI *)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI *)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SetProcessDpiAwarenessContextFn = BOOL(WINAPI *)(HANDLE);
using SetProcessDpiAwareFn = BOOL(WINAPI *)();

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and _PER_MONITOR_AWARE, which
// older SDK headers lack.
const HANDLE perMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
const HANDLE perMonitorAware = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-3));

struct Substitute {
    std::string_view face;
    std::array<const wchar_t *, 3> candidates;
};

// Faces that some Windows installations lack, with those every Windows has.
// MS Sans Serif is a bitmap face of a few sizes only; Microsoft Sans Serif is
// its outline twin with the same metrics, which scales with the DPI.
constexpr std::array substitutes {
    Substitute { "MS Sans Serif", { L"Microsoft Sans Serif", L"Tahoma", L"MS Sans Serif" } },
    // OCR A Extended and Old English Text MT come only with some Office
    // installations: a monospaced face, and a serif face, stand in.
    Substitute { "OCR A Extended", { L"OCR A Extended", L"Lucida Console", L"Courier New" } },
    Substitute { "Old English Text MT", { L"Old English Text MT", L"Times New Roman", nullptr } },
};

int CALLBACK noteFound(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

bool isInstalled(const wchar_t *face)
{
    LOGFONTW wanted {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace

std::wstring toWide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int length
        = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(
        CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

std::string toUtf8(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int length = WideCharToMultiByte(
        CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
        nullptr, nullptr);
    return utf8;
}

int dpiOf(HWND hwnd)
{
    static const auto getDpiForWindow = lookUp<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && hwnd) {
        if (const UINT dpi = getDpiForWindow(hwnd))
            return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int systemMetric(int index, int dpi)
{
    static const auto forDpi
        = lookUp<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    if (forDpi)
        return forDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, dpiOf(nullptr));
}

RECT windowRectFor(
    int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu, int dpi)
{
    static const auto adjustForDpi
        = lookUp<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT rect { 0, 0, clientWidth, clientHeight };
    if (adjustForDpi)
        adjustForDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&rect, style, menu, exStyle);
    return rect;
}

void becomeDpiAware()
{
    if (const auto setContext
        = lookUp<SetProcessDpiAwarenessContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
        // Fails harmlessly where the manifest has already set the awareness.
        if (!setContext(perMonitorAwareV2))
            setContext(perMonitorAware);
    } else if (const auto setAware
        = lookUp<SetProcessDpiAwareFn>(L"user32.dll", "SetProcessDPIAware")) {
        setAware();
    }
}

std::wstring installedFace(std::string_view face)
{
    // Asked once a face: the installed fonts do not change while the program runs.
    static std::map<std::string, std::wstring, std::less<>> chosen;
    if (const auto known = chosen.find(face); known != chosen.end())
        return known->second;
    std::wstring result = toWide(face);
    for (const Substitute &substitute : substitutes) {
        if (substitute.face != face)
            continue;
        for (const wchar_t *candidate : substitute.candidates) {
            if (candidate && isInstalled(candidate)) {
                result = candidate;
                break;
            }
        }
    }
    chosen.emplace(std::string(face), result);
    return result;
}

} // namespace orvanel::platform::win32
