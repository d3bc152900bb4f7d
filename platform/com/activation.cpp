#include "platform/com/activation.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <new>

#include "platform/com/registry.h"

namespace quorin {
namespace {

thread_local std::string g_errorText;

// Handles of loaded server libraries by path. They are never closed: objects and factories of a
// library may outlive any bookkeeping of ours.
void* LoadServer(const std::string& path) {
    static std::mutex mutex;
    static std::map<std::string, void*> loaded;
    const std::lock_guard<std::mutex> lock(mutex);
    if (auto it = loaded.find(path); it != loaded.end()) return it->second;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        g_errorText = why ? why : path + ": cannot be loaded";
        return nullptr;
    }
    loaded.emplace(path, handle);
    return handle;
}

HRESULT GetClassObject(const CLSID& clsid, uint32_t context, const IID& iid, void** object) {
    const std::string guid = GuidToString(clsid);
    if ((context & CLSCTX_INPROC_SERVER) == 0) {
        g_errorText = "class " + guid + " is asked for without CLSCTX_INPROC_SERVER";
        return REGDB_E_CLASSNOTREG;
    }
    std::string path;
    if (FAILED(FindInprocServer(clsid, &path))) {
        g_errorText = "class " + guid + " is not registered in " + RegistryPath();
        return REGDB_E_CLASSNOTREG;
    }
    void* handle = LoadServer(path);
    if (!handle) return E_MOD_NOT_FOUND;
    void* symbol = ::dlsym(handle, "DllGetClassObject");
    if (!symbol) {
        g_errorText = path + ": no DllGetClassObject";
        return E_PROC_NOT_FOUND;
    }
    const auto getClassObject = reinterpret_cast<DllGetClassObjectFunction>(symbol);
    const HRESULT hr = getClassObject(clsid, iid, object);
    if (FAILED(hr)) {
        *object = nullptr;
        g_errorText = path + ": DllGetClassObject refused class " + guid;
    }
    return hr;
}

}  // namespace

HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid) {
    if (!clsid) return E_POINTER;
    return FindProgId(progId, clsid);
}

HRESULT CLSIDFromProgID(const char16_t* progId, CLSID* clsid) {
    if (!progId) return E_INVALIDARG;
    if (!clsid) return E_POINTER;
    // ProgIDs are ASCII; anything else cannot be registered.
    constexpr size_t kMaxLength = 255;
    char narrow[kMaxLength + 1];
    size_t n = 0;
    for (; progId[n] != u'\0'; ++n) {
        if (n == kMaxLength || progId[n] > 0x7F) return CO_E_CLASSSTRING;
        narrow[n] = static_cast<char>(progId[n]);
    }
    return FindProgId(std::string_view(narrow, n), clsid);
}

HRESULT CoGetClassObject(const CLSID& clsid, uint32_t context, void* reserved, const IID& iid,
                         void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (reserved) return E_INVALIDARG;
    try {
        g_errorText.clear();
        return GetClassObject(clsid, context, iid, object);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, uint32_t context, const IID& iid,
                         void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    try {
        g_errorText.clear();
        IClassFactory* factory = nullptr;
        HRESULT hr =
            GetClassObject(clsid, context, IID_IClassFactory, reinterpret_cast<void**>(&factory));
        if (FAILED(hr)) return hr;
        if (!factory) {
            g_errorText = "class " + GuidToString(clsid) + " gave no class factory";
            return E_FAIL;
        }
        hr = factory->CreateInstance(outer, iid, object);
        factory->Release();
        if (FAILED(hr)) {
            *object = nullptr;
            g_errorText = "the factory of class " + GuidToString(clsid) + " failed";
        }
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

std::string ActivationErrorText() {
    return g_errorText;
}

}  // namespace quorin
