#include "ui/ole_data.h"

#include <cstring>

#include "ui/trace.h"

namespace zarkit::ui {

GlobalMemory GlobalFromBytes(std::span<const std::uint8_t> bytes) {
    // GlobalAlloc refuses a size of 0 for movable memory on some systems.
    GlobalMemory memory(
        GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.empty() ? 1 : bytes.size()));
    if (!memory) {
        TraceLastError(L"GlobalAlloc");
        return memory;
    }
    const GlobalLock lock(memory.Get());
    if (!lock) {
        return GlobalMemory();
    }
    if (!bytes.empty()) {
        std::memcpy(lock.MutableBytes().data(), bytes.data(), bytes.size());
    }
    return memory;
}

GlobalLock::GlobalLock(HGLOBAL memory) : memory_(memory) {
    if (memory_ == nullptr) {
        return;
    }
    data_ = static_cast<std::uint8_t*>(::GlobalLock(memory_));
    if (data_ == nullptr) {
        TraceLastError(L"GlobalLock");
        return;
    }
    size_ = GlobalSize(memory_);
}

GlobalLock::~GlobalLock() {
    if (data_ != nullptr) {
        GlobalUnlock(memory_);
    }
}

CLIPFORMAT RegisterFormat(const wchar_t* name) {
    const UINT format = RegisterClipboardFormatW(name);
    if (format == 0) {
        TraceLastError(L"RegisterClipboardFormatW");
    }
    return static_cast<CLIPFORMAT>(format);
}

FORMATETC GlobalFormat(CLIPFORMAT format) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool HasGlobalData(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted = GlobalFormat(format);
    return format != 0 && data->QueryGetData(&wanted) == S_OK;
}

bool GetGlobalData(IDataObject* data, CLIPFORMAT format, StgMedium& medium) {
    FORMATETC wanted = GlobalFormat(format);
    const HRESULT result = data->GetData(&wanted, medium.Put());
    if (FAILED(result)) {
        Trace(L"IDataObject::GetData(%u) failed: 0x%08lX\n", format,
              static_cast<unsigned long>(result));
        return false;
    }
    if (medium.Global() == nullptr) {
        Trace(L"IDataObject::GetData(%u) gave no global memory\n", format);
        return false;
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> CopyGlobalData(IDataObject* data, CLIPFORMAT format) {
    StgMedium medium;
    if (!GetGlobalData(data, format, medium)) {
        return std::nullopt;
    }
    const GlobalLock lock(medium.Global());
    if (!lock) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(lock.Bytes().begin(), lock.Bytes().end());
}

bool SetGlobalData(IDataObject* data, CLIPFORMAT format, std::span<const std::uint8_t> bytes) {
    GlobalMemory memory = GlobalFromBytes(bytes);
    if (!memory) {
        return false;
    }
    FORMATETC offered = GlobalFormat(format);
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = memory.Get();
    // With fRelease the data object owns the memory once it accepts it, and only then.
    const HRESULT result = data->SetData(&offered, &medium, TRUE);
    if (FAILED(result)) {
        Trace(L"IDataObject::SetData(%u) failed: 0x%08lX\n", format,
              static_cast<unsigned long>(result));
        return false;
    }
    memory.Release();
    return true;
}

}  // namespace zarkit::ui
