// The entry points of libquorin.so, where the component meets its Qt panel. Loading the module
// registers the panel view (component/panel_view.h); in a process without a QApplication it
// makes no view.
#include "component/com_interfaces.h"
#include "component/quorin_com.h"
#include "panel/panel_registration.h"
#include "platform/com/registry.h"
#include "platform/com/server.h"

using namespace quorin;

// Referenced here so that the linker keeps the panel library, and run as the module loads.
static const bool kPanelViewRegistered = RegisterPanelView();

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
