// The module's exported entry points.
#include <windows.h>

#include "ClassFactory.h"
#include "FilterRegistration.h"
#include "ServerModule.h"
#include "ServerRegistration.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    // Thread notifications stay on: the static runtime cleans up thread-local data in them.
    if (reason == DLL_PROCESS_ATTACH) SetServerModule(instance);
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return ServerGetClassObject(clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return ServerCanUnloadNow(); }

STDAPI DllRegisterServer() {
    HRESULT hr = ServerRegister(ServerModule());
    if (FAILED(hr)) return hr;
    RegisterLegacyFilterKeys();
    return hr;
}

STDAPI DllUnregisterServer() {
    HRESULT hr = ServerUnregister();
    if (hr == S_OK) UnregisterLegacyFilterKeys();
    return hr;
}
