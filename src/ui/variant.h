#pragma once

#include "ui/win32.h"
#include <oleauto.h>

namespace zarkit::ui {

// Owns one VARIANT: whatever it holds (string, interface) is freed by VariantClear.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    // The variant takes its own reference to `unknown`.
    static Variant FromUnknown(IUnknown* unknown) {
        Variant result;
        if (unknown != nullptr) {
            unknown->AddRef();
            V_VT(&result.value_) = VT_UNKNOWN;
            V_UNKNOWN(&result.value_) = unknown;
        }
        return result;
    }

    static Variant FromBool(bool value) {
        Variant result;
        V_VT(&result.value_) = VT_BOOL;
        V_BOOL(&result.value_) = value ? VARIANT_TRUE : VARIANT_FALSE;
        return result;
    }

    // The variant takes ownership of `text` (which may be null on a failed allocation).
    static Variant FromBstr(BSTR text) {
        Variant result;
        if (text != nullptr) {
            V_VT(&result.value_) = VT_BSTR;
            V_BSTR(&result.value_) = text;
        }
        return result;
    }

    // Passed by value to methods that only read it: a bitwise copy, still owned here.
    const VARIANT& Get() const { return value_; }

    // For out-parameters: clears what is held and hands out the slot.
    VARIANT* Put() {
        VariantClear(&value_);
        return &value_;
    }

private:
    Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

    VARIANT value_;
};

}  // namespace zarkit::ui
