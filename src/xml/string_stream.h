#pragma once

#include <string>

#include "ui/com_object.h"
#include <objidl.h>

namespace zarkit {

// A stream that MSXML saves a document into, holding the bytes in a string that grows by
// doubling. The shell's memory stream grows by exactly each write, so saving a store of
// megabytes in the few kilobytes a write that MSXML sends copied it over and over.
class StringStream final : public ui::ComObject<StringStream, IStream> {
public:
    StringStream() = default;

    // What was written, taken out of the stream.
    std::string TakeBytes() { return std::move(bytes_); }

    // ISequentialStream
    STDMETHODIMP Read(void* buffer, ULONG size, ULONG* read) override;
    STDMETHODIMP Write(const void* data, ULONG size, ULONG* written) override;
    // IStream
    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
    STDMETHODIMP SetSize(ULARGE_INTEGER size) override;
    STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Commit(DWORD) override { return S_OK; }
    STDMETHODIMP Revert() override { return E_NOTIMPL; }
    STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    STDMETHODIMP Stat(STATSTG* stat, DWORD flags) override;
    STDMETHODIMP Clone(IStream**) override { return E_NOTIMPL; }

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

}  // namespace zarkit
