#pragma once

#include <string_view>
#include <utility>

#include "ui/win32.h"
#include <oleauto.h>

namespace zarkit::ui {

// Owns one BSTR, the string type of every automation interface (MSXML among them).
class Bstr {
public:
    Bstr() = default;
    // Null (Get() == nullptr) only when the allocation failed.
    explicit Bstr(std::wstring_view text)
        : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~Bstr() { SysFreeString(value_); }

    Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        if (this != &other) {
            SysFreeString(std::exchange(value_, std::exchange(other.value_, nullptr)));
        }
        return *this;
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR Get() const { return value_; }
    explicit operator bool() const { return value_ != nullptr; }

    // For out-parameters: frees what is held and hands out the slot.
    BSTR* Put() {
        SysFreeString(std::exchange(value_, nullptr));
        return &value_;
    }

    // Hands the string to a new owner, such as a VARIANT.
    BSTR Detach() { return std::exchange(value_, nullptr); }

    std::wstring_view View() const { return ViewOf(value_); }

    // A null BSTR is the empty string to every automation interface.
    static std::wstring_view ViewOf(BSTR value) {
        return value == nullptr ? std::wstring_view()
                                : std::wstring_view(value, SysStringLen(value));
    }

private:
    BSTR value_ = nullptr;
};

}  // namespace zarkit::ui
