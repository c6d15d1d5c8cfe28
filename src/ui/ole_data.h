#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "ui/handles.h"
#include "ui/win32.h"
#include <objidl.h>

// Global memory as the clipboard and OLE data transfer pass it.
namespace zarkit::ui {

using GlobalMemory = UniqueHandle<NullEmptyTraits<HGLOBAL, GlobalFree>>;

// Movable, zero-filled global memory holding a copy of `bytes`; empty on failure.
GlobalMemory GlobalFromBytes(std::span<const std::uint8_t> bytes);

// GlobalLock for one scope. Size() is GlobalSize's, which may exceed what was asked for.
class GlobalLock {
public:
    explicit GlobalLock(HGLOBAL memory);
    ~GlobalLock();
    GlobalLock(const GlobalLock&) = delete;
    GlobalLock& operator=(const GlobalLock&) = delete;

    explicit operator bool() const { return data_ != nullptr; }
    std::span<const std::uint8_t> Bytes() const { return {data_, size_}; }
    std::span<std::uint8_t> MutableBytes() const { return {data_, size_}; }

private:
    HGLOBAL memory_;
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// Owns a medium filled by IDataObject::GetData: ReleaseStgMedium, once.
class StgMedium {
public:
    StgMedium() = default;
    ~StgMedium() { Reset(); }
    StgMedium(const StgMedium&) = delete;
    StgMedium& operator=(const StgMedium&) = delete;

    STGMEDIUM* Put() {
        Reset();
        return &medium_;
    }
    const STGMEDIUM& Get() const { return medium_; }
    HGLOBAL Global() const { return medium_.tymed == TYMED_HGLOBAL ? medium_.hGlobal : nullptr; }

    void Reset() {
        if (medium_.tymed != TYMED_NULL) {
            ReleaseStgMedium(&medium_);
            medium_ = STGMEDIUM{};
        }
    }

private:
    STGMEDIUM medium_{};
};

// A clipboard format by name, the same number in every process for the session.
CLIPFORMAT RegisterFormat(const wchar_t* name);

// Content aspect, all items, global memory.
FORMATETC GlobalFormat(CLIPFORMAT format);

// Whether `data` offers `format` in global memory.
bool HasGlobalData(IDataObject* data, CLIPFORMAT format);

// Gets `format` as global memory into `medium`; false (and a trace) when that fails.
bool GetGlobalData(IDataObject* data, CLIPFORMAT format, StgMedium& medium);

// A copy of the bytes of `format`; nullopt when `data` does not give them.
std::optional<std::vector<std::uint8_t>> CopyGlobalData(IDataObject* data, CLIPFORMAT format);

// Hands `data` a copy of `bytes` under `format`; false when it refuses them.
bool SetGlobalData(IDataObject* data, CLIPFORMAT format, std::span<const std::uint8_t> bytes);

}  // namespace zarkit::ui
