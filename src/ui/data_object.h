#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ui/com_object.h"
#include "ui/win32.h"
#include <objidl.h>

namespace zarkit::ui {

// A data object over formats held as bytes and handed out as global memory. Wine's
// SHCreateDataObject is a stub, so drags and tests use this one. A drop target may write
// formats back into it (SetData), which is how a receiver answers the source.
class DataObject final : public ComObject<DataObject, IDataObject> {
public:
    // Offers `format`, replacing what it held before.
    void SetBytes(CLIPFORMAT format, std::span<const std::uint8_t> bytes);
    // What it holds under `format`, offered by us or set by a receiver.
    std::optional<std::vector<std::uint8_t>> GetBytes(CLIPFORMAT format) const;

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                         DWORD* connection) override;
    STDMETHODIMP DUnadvise(DWORD connection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** advises) override;

private:
    struct Entry {
        CLIPFORMAT format;
        std::vector<std::uint8_t> bytes;
    };

    // S_OK with the entry for a content, global-memory request; else why not.
    HRESULT Find(const FORMATETC* format, const Entry** entry) const;

    std::vector<Entry> entries_;
};

}  // namespace zarkit::ui
