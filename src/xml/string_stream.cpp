#include "xml/string_stream.h"

#include <algorithm>
#include <cstring>

namespace zarkit {

STDMETHODIMP StringStream::Read(void* buffer, ULONG size, ULONG* read) {
    const std::size_t count =
        position_ < bytes_.size() ? std::min<std::size_t>(size, bytes_.size() - position_) : 0;
    if (count > 0) {
        std::memcpy(buffer, bytes_.data() + position_, count);
    }
    position_ += count;
    if (read != nullptr) {
        *read = static_cast<ULONG>(count);
    }
    return count == size ? S_OK : S_FALSE;
}

STDMETHODIMP StringStream::Write(const void* data, ULONG size, ULONG* written) {
    return ui::GuardComCall(L"StringStream::Write", [&]() -> HRESULT {
        if (data == nullptr && size > 0) {
            return STG_E_INVALIDPOINTER;
        }
        if (position_ + size > bytes_.size()) {
            bytes_.resize(position_ + size);  // amortised: the string's capacity doubles
        }
        if (size > 0) {
            std::memcpy(bytes_.data() + position_, data, size);
        }
        position_ += size;
        if (written != nullptr) {
            *written = size;
        }
        return S_OK;
    });
}

STDMETHODIMP StringStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
    long long base = 0;
    switch (origin) {
        case STREAM_SEEK_SET:
            break;
        case STREAM_SEEK_CUR:
            base = static_cast<long long>(position_);
            break;
        case STREAM_SEEK_END:
            base = static_cast<long long>(bytes_.size());
            break;
        default:
            return STG_E_INVALIDFUNCTION;
    }
    const long long target = base + move.QuadPart;
    if (target < 0) {
        return STG_E_INVALIDFUNCTION;
    }
    position_ = static_cast<std::size_t>(target);
    if (position != nullptr) {
        position->QuadPart = position_;
    }
    return S_OK;
}

STDMETHODIMP StringStream::SetSize(ULARGE_INTEGER size) {
    return ui::GuardComCall(L"StringStream::SetSize", [&]() -> HRESULT {
        bytes_.resize(static_cast<std::size_t>(size.QuadPart));
        return S_OK;
    });
}

STDMETHODIMP StringStream::Stat(STATSTG* stat, DWORD) {
    if (stat == nullptr) {
        return STG_E_INVALIDPOINTER;
    }
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = bytes_.size();
    return S_OK;
}

}  // namespace zarkit
