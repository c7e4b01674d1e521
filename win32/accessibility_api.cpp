#include "win32/accessibility_api.h"

#include "win32/system_library.h"

#include <optional>

namespace chess::win32 {
namespace {

template <typename Function> bool load(const wchar_t *library, const char *name, Function *&function)
{
    function = systemFunction<Function>(library, name);
    return function != nullptr;
}

std::optional<AccessibilityApi> loadApi()
{
    const wchar_t *ole = L"ole32.dll";
    const wchar_t *automation = L"oleaut32.dll";
    const wchar_t *accessibility = L"oleacc.dll";
    AccessibilityApi api{};
    decltype(&CoInitializeEx) coInitializeEx = nullptr;
    if (!load(ole, "CoInitializeEx", coInitializeEx) ||
        !load(ole, "CoCreateInstance", api.coCreateInstance) ||
        !load(ole, "CoDisconnectObject", api.coDisconnectObject) ||
        !load(automation, "SysAllocString", api.sysAllocString) ||
        !load(automation, "VariantChangeType", api.variantChangeType) ||
        !load(accessibility, "LresultFromObject", api.lresultFromObject) ||
        !load(accessibility, "CreateStdAccessibleObject", api.createStdAccessibleObject))
        return std::nullopt;
    // The window's thread becomes the apartment whose message loop serves the calls. A
    // thread already in COM keeps its apartment, which serves them as well.
    coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return api;
}

} // namespace

// Only the window's thread asks, so plain flags do; a guarded static would link in the
// thread library for nothing.
const AccessibilityApi *accessibilityApi()
{
    static bool tried = false;
    static std::optional<AccessibilityApi> api;
    if (!tried) {
        tried = true;
        api = loadApi();
    }
    return api ? &*api : nullptr;
}

} // namespace chess::win32
