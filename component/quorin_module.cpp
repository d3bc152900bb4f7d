// The entry points of libquorin.so. A panel library linked into the module registers its view
// factory from its own static initialiser (component/panel_view.h).
#include "component/com_interfaces.h"
#include "component/quorin_com.h"
#include "platform/com/registry.h"
#include "platform/com/server.h"

using namespace quorin;

extern "C" HRESULT DllGetClassObject(const CLSID& clsid, const IID& iid, void** object) {
    return GetQuorinClassObject(clsid, iid, object);
}

extern "C" HRESULT DllCanUnloadNow() {
    return QuorinServerModule().CanUnloadNow();
}

// Registers the class with this library's absolute path. Returns 0 as hosts and installers of
// this component expect; a registry that cannot be written shows later as a class that cannot be
// created (CoCreateInstance reports it).
extern "C" HRESULT DllRegisterServer() {
    const std::string path = ModulePathOf(reinterpret_cast<const void*>(&DllGetClassObject));
    RegisterInprocServer(CLSID_QuorinCom, kQuorinComProgId, path);
    return S_OK;
}

extern "C" HRESULT DllUnregisterServer() {
    return UnregisterInprocServer(CLSID_QuorinCom);
}
