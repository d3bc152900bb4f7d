// Creating objects of registered in-process servers, as a host does: the registry (registry.h)
// names the server library, which is loaded with dlopen (RTLD_NOW | RTLD_LOCAL) and stays loaded
// for the life of the process; its DllGetClassObject gives the class factory.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/com_export.h"
#include "platform/com/unknown.h"

namespace quorin {

// The CLSID registered for the ProgID (NUL-terminated UTF-16, at most 255 characters).
// CO_E_CLASSSTRING when it is not registered; E_INVALIDARG for a null ProgID, E_POINTER for a
// null clsid.
QUORIN_COM_API HRESULT CLSIDFromProgID(const char16_t* progId, CLSID* clsid);
QUORIN_COM_API HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid);

// The server's class object for clsid, asked for interface iid (usually IID_IClassFactory).
// *object is null on failure. REGDB_E_CLASSNOTREG when the class is not registered or context
// lacks CLSCTX_INPROC_SERVER; E_MOD_NOT_FOUND when the library cannot be loaded;
// E_PROC_NOT_FOUND when it has no DllGetClassObject; otherwise what the server returns.
// reserved must be null (it stands where Windows takes server information).
QUORIN_COM_API HRESULT CoGetClassObject(const CLSID& clsid, uint32_t context, void* reserved,
                                        const IID& iid, void** object);

// A new object of the class, asked for interface iid: gets the class factory as CoGetClassObject
// does, calls its CreateInstance(outer, iid, object) and releases the factory. Errors as
// CoGetClassObject, then what the factory returns; *object is null on failure.
QUORIN_COM_API HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, uint32_t context,
                                        const IID& iid, void** object);

// Why the last CoGetClassObject or CoCreateInstance of this thread failed, e.g. the loader's
// message for a library that cannot be loaded; "" after a success.
QUORIN_COM_API std::string ActivationErrorText();

}  // namespace quorin
