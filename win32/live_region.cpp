#include "win32/live_region.h"

#include "win32/accessibility_api.h"
#include "win32/wide_text.h"

namespace chess::win32 {
namespace {

// Written out here rather than taken from libuuid, whose one object of every known id would
// add 40 KB to the program.
constexpr CLSID accPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID accPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
// UI Automation's LiveSetting property (the mingw-w64 headers lack it) and its value Polite:
// a polite region is read when the screen reader has finished what it is saying.
constexpr GUID liveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG polite = 1;

} // namespace

LiveRegion::~LiveRegion()
{
    if (!properties_)
        return;
    properties_->ClearHwndProps(window_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &liveSettingProperty,
                                1);
    properties_->Release();
}

bool LiveRegion::create(HWND statusBar)
{
    // SS_NOPREFIX: an ampersand in a line is read as itself.
    window_ = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0,
                              statusBar, nullptr, nullptr, nullptr);
    return window_ != nullptr;
}

void LiveRegion::announce(std::string_view line)
{
    SetWindowTextW(window_, widen(line).c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, window_, OBJID_CLIENT, CHILDID_SELF);
}

void LiveRegion::markLive()
{
    if (marked_)
        return;
    marked_ = true;
    const AccessibilityApi *api = accessibilityApi();
    if (!api ||
        FAILED(api->coCreateInstance(accPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                     accPropServicesInterface, reinterpret_cast<void **>(&properties_))))
        return;
    VARIANT setting;
    setting.vt = VT_I4;
    setting.lVal = polite;
    // Wine answers E_NOTIMPL; the region's events are raised all the same.
    properties_->SetHwndProp(window_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, liveSettingProperty,
                             setting);
}

} // namespace chess::win32
