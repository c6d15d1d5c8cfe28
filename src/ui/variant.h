#pragma once

#include <cstring>
#include <string_view>

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

    // The bytes in an array of its own (VT_ARRAY | VT_UI1); empty when the array cannot
    // be made.
    static Variant FromBytes(std::string_view bytes) {
        Variant result;
        SAFEARRAY* const array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
        if (array == nullptr) {
            return result;
        }
        void* data = nullptr;
        if (FAILED(SafeArrayAccessData(array, &data))) {
            SafeArrayDestroy(array);
            return result;
        }
        if (!bytes.empty()) {
            std::memcpy(data, bytes.data(), bytes.size());
        }
        SafeArrayUnaccessData(array);
        V_VT(&result.value_) = VT_ARRAY | VT_UI1;
        V_ARRAY(&result.value_) = array;
        return result;
    }

    bool Empty() const { return V_VT(&value_) == VT_EMPTY; }

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
