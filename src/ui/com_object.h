#pragma once

#include <atomic>
#include <new>
#include <utility>

#include "ui/com.h"
#include "ui/trace.h"
#include "ui/win32.h"
#include <shlwapi.h>

namespace zarkit::ui {

// IUnknown for a COM object of ours that implements `Interfaces`: the count starts at 1
// (the creator's reference), is atomic because OLE may call AddRef and Release from
// another thread, and the object deletes itself at 0. Create objects with MakeCom.
template <typename Derived, typename... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        Derived* self = static_cast<Derived*>(this);
        // IUnknown is answered with the first interface.
        const QITAB table[] = {{&__uuidof(Interfaces), OffsetOf<Interfaces>(self)}...,
                               {nullptr, 0}};
        return QISearch(self, table, iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    template <typename Interface>
    static int OffsetOf(Derived* self) {
        return static_cast<int>(reinterpret_cast<char*>(static_cast<Interface*>(self)) -
                                reinterpret_cast<char*>(self));
    }

    std::atomic<ULONG> references_{1};
};

// A new object and the one reference it starts with.
template <typename T, typename... Args>
ComPtr<T> MakeCom(Args&&... args) {
    return ComPtr<T>::Attach(new T(std::forward<Args>(args)...));
}

// Runs the body of a COM method: an exception must not unwind into the caller's frames,
// which may be another module's or another process's.
template <typename Body>
HRESULT GuardComCall(const wchar_t* where, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (const std::bad_alloc&) {
        Trace(L"%ls: out of memory\n", where);
        return E_OUTOFMEMORY;
    } catch (...) {
        Trace(L"%ls: exception\n", where);
        return E_UNEXPECTED;
    }
}

}  // namespace zarkit::ui
