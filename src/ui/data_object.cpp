#include "ui/data_object.h"

#include <algorithm>

#include "ui/ole_data.h"

namespace zarkit::ui {
namespace {

class FormatEnumerator final : public ComObject<FormatEnumerator, IEnumFORMATETC> {
public:
    FormatEnumerator(std::vector<FORMATETC> formats, std::size_t next)
        : formats_(std::move(formats)), next_(next) {}

    STDMETHODIMP Next(ULONG count, FORMATETC* out, ULONG* fetched) override {
        if (out == nullptr || (count > 1 && fetched == nullptr)) {
            return E_POINTER;
        }
        ULONG given = 0;
        for (; given < count && next_ < formats_.size(); ++given) {
            out[given] = formats_[next_++];
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        const std::size_t left = formats_.size() - next_;
        next_ += std::min<std::size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        next_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumFORMATETC** copy) override {
        if (copy == nullptr) {
            return E_POINTER;
        }
        *copy = nullptr;
        return GuardComCall(L"FormatEnumerator::Clone", [&] {
            *copy = new FormatEnumerator(formats_, next_);
            return S_OK;
        });
    }

private:
    std::vector<FORMATETC> formats_;
    std::size_t next_;
};

}  // namespace

void DataObject::SetBytes(CLIPFORMAT format, std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
    for (Entry& entry : entries_) {
        if (entry.format == format) {
            entry.bytes = std::move(copy);
            return;
        }
    }
    entries_.push_back(Entry{format, std::move(copy)});
}

std::optional<std::vector<std::uint8_t>> DataObject::GetBytes(CLIPFORMAT format) const {
    for (const Entry& entry : entries_) {
        if (entry.format == format) {
            return entry.bytes;
        }
    }
    return std::nullopt;
}

HRESULT DataObject::Find(const FORMATETC* format, const Entry** found) const {
    *found = nullptr;
    if (format == nullptr) {
        return E_INVALIDARG;
    }
    if (format->dwAspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if (format->lindex != -1) {
        return DV_E_LINDEX;
    }
    for (const Entry& entry : entries_) {
        if (entry.format == format->cfFormat) {
            if ((format->tymed & TYMED_HGLOBAL) == 0) {
                return DV_E_TYMED;
            }
            *found = &entry;
            return S_OK;
        }
    }
    return DV_E_FORMATETC;
}

STDMETHODIMP DataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (medium == nullptr) {
        return E_INVALIDARG;
    }
    *medium = STGMEDIUM{};
    return GuardComCall(L"DataObject::GetData", [&] {
        const Entry* entry = nullptr;
        if (const HRESULT result = Find(format, &entry); result != S_OK) {
            return result;
        }
        GlobalMemory memory = GlobalFromBytes(entry->bytes);
        if (!memory) {
            return E_OUTOFMEMORY;
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory.Release();
        medium->pUnkForRelease = nullptr;
        return S_OK;
    });
}

STDMETHODIMP DataObject::GetDataHere(FORMATETC* format, STGMEDIUM* medium) {
    if (medium == nullptr) {
        return E_INVALIDARG;
    }
    return GuardComCall(L"DataObject::GetDataHere", [&] {
        const Entry* entry = nullptr;
        if (const HRESULT result = Find(format, &entry); result != S_OK) {
            return result;
        }
        if (medium->tymed != TYMED_HGLOBAL || medium->hGlobal == nullptr) {
            return DV_E_TYMED;
        }
        const GlobalLock lock(medium->hGlobal);
        if (!lock) {
            return E_INVALIDARG;
        }
        if (lock.Bytes().size() < entry->bytes.size()) {
            return STG_E_MEDIUMFULL;
        }
        std::copy(entry->bytes.begin(), entry->bytes.end(), lock.MutableBytes().begin());
        return S_OK;
    });
}

STDMETHODIMP DataObject::QueryGetData(FORMATETC* format) {
    const Entry* entry = nullptr;
    return Find(format, &entry);
}

STDMETHODIMP DataObject::GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) {
    if (format == nullptr || canonical == nullptr) {
        return E_INVALIDARG;
    }
    *canonical = *format;
    canonical->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP DataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) {
    if (format == nullptr || medium == nullptr) {
        return E_INVALIDARG;
    }
    if (format->dwAspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if ((format->tymed & TYMED_HGLOBAL) == 0 || medium->tymed != TYMED_HGLOBAL) {
        return DV_E_TYMED;
    }
    return GuardComCall(L"DataObject::SetData", [&] {
        {
            const GlobalLock lock(medium->hGlobal);
            if (!lock) {
                return E_INVALIDARG;
            }
            SetBytes(format->cfFormat, lock.Bytes());
        }
        // Only a medium we accepted is ours to release.
        if (release) {
            ReleaseStgMedium(medium);
        }
        return S_OK;
    });
}

STDMETHODIMP DataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
    if (formats == nullptr) {
        return E_POINTER;
    }
    *formats = nullptr;
    if (direction != DATADIR_GET) {
        return E_NOTIMPL;
    }
    return GuardComCall(L"DataObject::EnumFormatEtc", [&] {
        std::vector<FORMATETC> offered;
        for (const Entry& entry : entries_) {
            offered.push_back(GlobalFormat(entry.format));
        }
        *formats = new FormatEnumerator(std::move(offered), 0);
        return S_OK;
    });
}

STDMETHODIMP DataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP DataObject::DUnadvise(DWORD) {
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP DataObject::EnumDAdvise(IEnumSTATDATA**) {
    return OLE_E_ADVISENOTSUPPORTED;
}

}  // namespace zarkit::ui
