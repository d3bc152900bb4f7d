// The COM binary interface as hosts and servers share it in-process: HRESULT codes, IUnknown and
// IClassFactory. Interfaces are structs of pure virtual functions without a virtual destructor,
// so that (Itanium C++ ABI) vtable entry n is method slot n, as in a COM vtable.
#pragma once

#include <cstdint>

#include "platform/com/guid.h"

namespace quorin {

using HRESULT = int32_t;
using ULONG = uint32_t;
// A window handle; in this system it carries the host's QWidget*.
using HWND = void*;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
// The ProgID is not registered, or its registered CLSID is not a GUID text.
inline constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
// The server library cannot be loaded (the HRESULT of the Win32 error ERROR_MOD_NOT_FOUND).
inline constexpr HRESULT E_MOD_NOT_FOUND = static_cast<HRESULT>(0x8007007Eu);
// The server library lacks an entry point (the HRESULT of ERROR_PROC_NOT_FOUND).
inline constexpr HRESULT E_PROC_NOT_FOUND = static_cast<HRESULT>(0x8007007Fu);

constexpr bool SUCCEEDED(HRESULT hr) noexcept {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) noexcept {
    return hr < 0;
}

inline constexpr uint32_t CLSCTX_INPROC_SERVER = 0x1;
inline constexpr uint32_t CLSCTX_INPROC_HANDLER = 0x2;
inline constexpr uint32_t CLSCTX_LOCAL_SERVER = 0x4;
inline constexpr uint32_t CLSCTX_REMOTE_SERVER = 0x10;
inline constexpr uint32_t CLSCTX_ALL =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

inline constexpr IID IID_IUnknown = MakeGuid("{00000000-0000-0000-C000-000000000046}");
inline constexpr IID IID_IClassFactory = MakeGuid("{00000001-0000-0000-C000-000000000046}");

struct IUnknown {
    // Slot 0. S_OK and *object = the interface (with one more reference); E_NOINTERFACE and
    // *object = null when the object lacks it; E_POINTER when object is null.
    virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
    // Slot 1. Returns the new reference count (for diagnostics only).
    virtual ULONG AddRef() = 0;
    // Slot 2. The object deletes itself when the count reaches 0.
    virtual ULONG Release() = 0;

protected:
    // Objects are destroyed by Release, never through an interface pointer; a non-virtual
    // destructor also keeps the destructor out of the vtable.
    ~IUnknown() = default;
};

struct IClassFactory : IUnknown {
    // Slot 3. Creates an object and returns its interface iid in *object. CLASS_E_NOAGGREGATION
    // when outer is not null and the class cannot be aggregated.
    virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) = 0;
    // Slot 4. Nonzero keeps the server loaded (counts toward DllCanUnloadNow), zero undoes it.
    virtual HRESULT LockServer(int32_t lock) = 0;

protected:
    ~IClassFactory() = default;
};

// The entry points of an in-process server library, looked up by name with dlsym.
using DllGetClassObjectFunction = HRESULT (*)(const CLSID& clsid, const IID& iid, void** object);
using DllCanUnloadNowFunction = HRESULT (*)();
using DllRegisterServerFunction = HRESULT (*)();

}  // namespace quorin
