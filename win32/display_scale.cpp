#include "win32/display_scale.h"

#include "win32/system_library.h"

namespace chess::win32 {
namespace {

// The sizes of a frame, caption and menu bar at `scale`, around an empty client area.
RECT frameAt(PixelScale scale, DWORD style)
{
    static auto *const adjustForDpi =
        systemFunction<decltype(AdjustWindowRectExForDpi)>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT frame{};
    if (adjustForDpi)
        adjustForDpi(&frame, style, TRUE, 0, static_cast<UINT>(scale.dpi));
    else // before Windows 10 1607 every monitor has the system's one scale, which this gives
        AdjustWindowRectEx(&frame, style, TRUE, 0);
    return frame;
}

LONG widthOf(const RECT &r) { return r.right - r.left; }
LONG heightOf(const RECT &r) { return r.bottom - r.top; }

} // namespace

PixelScale displayScaleOf(HWND window)
{
    static auto *const dpiForWindow =
        systemFunction<decltype(GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
    if (dpiForWindow)
        return {static_cast<int>(dpiForWindow(window))};
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return {dpi};
}

SIZE windowSizeAt(PixelScale scale, SIZE sizeAt100, DWORD style)
{
    const RECT frame100 = frameAt({}, style);
    const RECT frame = frameAt(scale, style);
    return {scale.toDevice(sizeAt100.cx - widthOf(frame100)) + widthOf(frame),
            scale.toDevice(sizeAt100.cy - heightOf(frame100)) + heightOf(frame)};
}

HFONT createStatusFont(PixelScale scale)
{
    static auto *const parametersForDpi =
        systemFunction<decltype(SystemParametersInfoForDpi)>(L"user32.dll", "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!parametersForDpi ||
        !parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(scale.dpi)))
        return nullptr;
    return CreateFontIndirectW(&metrics.lfStatusFont);
}

} // namespace chess::win32
