#pragma once

#include <utility>

#include "ui/win32.h"
#include <objbase.h>
#include <ole2.h>

namespace zarkit::ui {

// Owns one COM reference.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ~ComPtr() { Reset(); }

    ComPtr(const ComPtr& other) : ptr_(other.ptr_) { AddRefIfAny(); }
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(ptr_, other.ptr_);
        return *this;
    }

    // Takes over a reference the caller already holds.
    static ComPtr Attach(T* ptr) {
        ComPtr result;
        result.ptr_ = ptr;
        return result;
    }

    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

    // For out-parameters: releases what is held and hands out the slot.
    T** Put() {
        Reset();
        return &ptr_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    void Reset() {
        if (ptr_ != nullptr) {
            std::exchange(ptr_, nullptr)->Release();
        }
    }

    template <typename U>
    ComPtr<U> As(REFIID iid) const {
        ComPtr<U> result;
        if (ptr_ != nullptr) {
            ptr_->QueryInterface(iid, result.PutVoid());
        }
        return result;
    }

private:
    void AddRefIfAny() {
        if (ptr_ != nullptr) {
            ptr_->AddRef();
        }
    }

    T* ptr_ = nullptr;
};

// CoInitialize for the calling thread, for one scope (single-threaded apartment).
class ComApartment {
public:
    ComApartment() : result_(CoInitialize(nullptr)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool Ok() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

// OleInitialize for the calling thread, for one scope: COM in a single-threaded
// apartment plus what drag and drop and the clipboard need.
class OleApartment {
public:
    OleApartment() : result_(OleInitialize(nullptr)) {}
    ~OleApartment() {
        if (SUCCEEDED(result_)) {
            OleUninitialize();
        }
    }
    OleApartment(const OleApartment&) = delete;
    OleApartment& operator=(const OleApartment&) = delete;

    bool Ok() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

}  // namespace zarkit::ui
