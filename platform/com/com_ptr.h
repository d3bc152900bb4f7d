// An owning interface pointer for hosts and tests: releases its reference when it goes.
#pragma once

#include <utility>

#include "platform/com/unknown.h"

namespace quorin {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    static ComPtr Adopt(T* p) noexcept {
        ComPtr c;
        c.p_ = p;
        return c;
    }
    ComPtr(const ComPtr& other) noexcept : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    // Releases the current pointer and gives the address for an out argument, e.g.
    // CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IFoo, foo.out()).
    void** out() noexcept {
        reset();
        return reinterpret_cast<void**>(&p_);
    }
    // Gives up the reference without releasing it.
    T* release() noexcept { return std::exchange(p_, nullptr); }
    void reset() noexcept {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }

    // QueryInterface for iid into target (which is emptied first); the HRESULT of the query.
    template <typename U>
    HRESULT As(const IID& iid, ComPtr<U>* target) const noexcept {
        if (!target) return E_POINTER;
        if (!p_) {
            target->reset();
            return E_POINTER;
        }
        return p_->QueryInterface(iid, target->out());
    }

private:
    T* p_ = nullptr;
};

}  // namespace quorin
