#include "win32/accessibility_api.h"

#include <optional>

namespace chess::win32 {
namespace {

// Only from the system folder: a DLL of the same name beside the program, in a downloads
// folder say, must never be the one loaded.
HMODULE systemLibrary(const wchar_t *name)
{
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// GCC takes void (*)() as the one function pointer type that converts to any other without
// a warning.
template <typename Function> bool load(HMODULE library, const char *name, Function &function)
{
    function = library
                   ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)))
                   : nullptr;
    return function != nullptr;
}

std::optional<AccessibilityApi> loadApi()
{
    HMODULE ole = systemLibrary(L"ole32.dll");
    HMODULE automation = systemLibrary(L"oleaut32.dll");
    HMODULE accessibility = systemLibrary(L"oleacc.dll");
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
