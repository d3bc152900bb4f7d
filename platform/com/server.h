// Building blocks of an in-process server library: the count that DllCanUnloadNow answers from,
// a thread-safe reference count, and a class factory. Header-only, so every server keeps its own
// counts. A server defines one ServerModule, gives every object a ModuleLock member, and writes
//
//   extern "C" HRESULT DllGetClassObject(const CLSID& clsid, const IID& iid, void** object) {
//       return ServeClassObject<CMyObject>(g_module, CLSID_MyObject, clsid, iid, object);
//   }
//   extern "C" HRESULT DllCanUnloadNow() { return g_module.CanUnloadNow(); }
#pragma once

#include <atomic>
#include <initializer_list>
#include <new>

#include "platform/com/com_export.h"
#include "platform/com/unknown.h"

// The entry points a server library exports (declared here so that their definitions in a
// server get default visibility).
extern "C" {
QUORIN_COM_SERVER_ENTRY quorin::HRESULT DllGetClassObject(const quorin::CLSID& clsid,
                                                          const quorin::IID& iid, void** object);
QUORIN_COM_SERVER_ENTRY quorin::HRESULT DllCanUnloadNow();
QUORIN_COM_SERVER_ENTRY quorin::HRESULT DllRegisterServer();
QUORIN_COM_SERVER_ENTRY quorin::HRESULT DllUnregisterServer();
}

namespace quorin {

// Live objects, live class factories and LockServer locks of one server library.
class ServerModule {
public:
    void Lock() noexcept { count_.fetch_add(1, std::memory_order_relaxed); }
    // Never below 0, whatever a host's LockServer calls do.
    void Unlock() noexcept {
        ULONG n = count_.load(std::memory_order_acquire);
        while (n > 0 && !count_.compare_exchange_weak(n, n - 1, std::memory_order_acq_rel)) {
        }
    }
    ULONG LockCount() const noexcept { return count_.load(std::memory_order_acquire); }
    // S_OK when nothing holds the library, else S_FALSE.
    HRESULT CanUnloadNow() const noexcept { return LockCount() == 0 ? S_OK : S_FALSE; }

private:
    std::atomic<ULONG> count_{0};
};

// Holds one lock on a module for its own lifetime; a member of every server object.
class ModuleLock {
public:
    explicit ModuleLock(ServerModule& module) noexcept : module_(module) { module_.Lock(); }
    ModuleLock(const ModuleLock&) = delete;
    ModuleLock& operator=(const ModuleLock&) = delete;
    ~ModuleLock() { module_.Unlock(); }
    ServerModule& module() const noexcept { return module_; }

private:
    ServerModule& module_;
};

// An object's reference count, 1 at construction (the creator's reference).
class RefCount {
public:
    ULONG Add() noexcept { return count_.fetch_add(1, std::memory_order_relaxed) + 1; }
    // The count after the release; the owner deletes itself when it is 0.
    ULONG Drop() noexcept { return count_.fetch_sub(1, std::memory_order_acq_rel) - 1; }
    ULONG Count() const noexcept { return count_.load(std::memory_order_acquire); }
    // Release of owner, whose count this is: the count after it; owner is deleted at 0.
    template <typename T>
    ULONG Release(T* owner) noexcept {
        const ULONG left = Drop();
        if (left == 0) delete owner;
        return left;
    }

private:
    std::atomic<ULONG> count_{1};
};

// A step of QueryInterface: when iid is offered, *object = p with one more reference and true.
//   if (OfferInterface(static_cast<IFoo*>(this), IID_IFoo, iid, object)) return S_OK;
// (For IID_IUnknown pass the same one of the object's interfaces every time: COM identity.)
template <typename Interface>
bool OfferInterface(Interface* p, const IID& offered, const IID& iid, void** object) noexcept {
    if (!IsEqualGUID(offered, iid)) return false;
    p->AddRef();
    *object = p;
    return true;
}

// One interface of an object for AnswerQuery: its IID and the object seen as that interface.
struct OfferedInterface {
    const IID& iid;
    IUnknown* pointer;
};

// A whole QueryInterface: the offered interface whose IID is iid, with one more reference;
// IID_IUnknown gets the first one offered (COM identity). E_POINTER for a null object,
// E_NOINTERFACE (and *object null) for an IID not offered.
//   return AnswerQuery(iid, object, {{IID_IFoo, static_cast<IFoo*>(this)}, ...});
inline HRESULT AnswerQuery(const IID& iid, void** object,
                           std::initializer_list<OfferedInterface> offered) noexcept {
    if (!object) return E_POINTER;
    for (const OfferedInterface& o : offered)
        if (OfferInterface(o.pointer, o.iid, iid, object)) return S_OK;
    if (offered.size() > 0 && OfferInterface(offered.begin()->pointer, IID_IUnknown, iid, object))
        return S_OK;
    *object = nullptr;
    return E_NOINTERFACE;
}

// The class factory of T. T is default-constructible, starts with one reference, and its own
// QueryInterface/Release are unambiguous (declared in T). Aggregation is refused. The factory
// holds a module lock while it lives, so a host holding it keeps the library loaded.
template <typename T>
class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(ServerModule& module) noexcept : lock_(module) {}

    HRESULT QueryInterface(const IID& iid, void** object) override {
        return AnswerQuery(iid, object, {{IID_IClassFactory, this}});
    }
    ULONG AddRef() override { return refs_.Add(); }
    ULONG Release() override { return refs_.Release(this); }

    HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        T* created = nullptr;
        try {
            created = new T();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
        // The creator's reference goes once the caller holds its own (or none, on failure).
        const HRESULT hr = created->QueryInterface(iid, object);
        created->Release();
        return hr;
    }

    HRESULT LockServer(int32_t lock) override {
        if (lock) {
            lock_.module().Lock();
        } else {
            lock_.module().Unlock();
        }
        return S_OK;
    }

private:
    ModuleLock lock_;
    RefCount refs_;
};

// DllGetClassObject for a server of the one class T with CLSID served: a new ClassFactory<T>
// asked for iid. CLASS_E_CLASSNOTAVAILABLE when clsid is another class.
template <typename T>
HRESULT ServeClassObject(ServerModule& module, const CLSID& served, const CLSID& clsid,
                         const IID& iid, void** object) noexcept {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualGUID(served, clsid)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory<T>(module);
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

}  // namespace quorin
