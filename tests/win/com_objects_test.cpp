#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/com_object.h"
#include "ui/data_object.h"
#include "ui/drag_hover_target.h"
#include "ui/drop_source.h"
#include "ui/ole_data.h"
#include "ui/variant.h"

namespace zarkit::ui {
namespace {

// Two interfaces, so the second sits at an offset inside the object.
class TwoFaced final : public ComObject<TwoFaced, IDropSource, IDropTarget> {
public:
    explicit TwoFaced(int* alive) : alive_(alive) { ++*alive_; }
    ~TwoFaced() override { --*alive_; }

    STDMETHODIMP QueryContinueDrag(BOOL, DWORD) override { return DRAGDROP_S_CANCEL; }
    STDMETHODIMP GiveFeedback(DWORD) override { return S_OK; }
    STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_LINK;
        return S_OK;
    }
    STDMETHODIMP DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
    STDMETHODIMP DragLeave() override { return S_FALSE; }
    STDMETHODIMP Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }

private:
    int* alive_;
};

TEST(ComObject, EveryInterfaceReachesItsOwnMethodsAndTheCountFreesTheObject) {
    int alive = 0;
    {
        const ComPtr<TwoFaced> object = MakeCom<TwoFaced>(&alive);
        const auto target = object.As<IDropTarget>(IID_IDropTarget);
        const auto source = object.As<IDropSource>(IID_IDropSource);
        ASSERT_TRUE(target && source);
        EXPECT_EQ(static_cast<void*>(target.Get()), static_cast<IDropTarget*>(object.Get()));
        DWORD effect = 0;
        EXPECT_EQ(target->DragEnter(nullptr, 0, POINTL{}, &effect), S_OK);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
        EXPECT_EQ(target->DragLeave(), S_FALSE);
        EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_CANCEL);

        // One identity: IUnknown from either interface is the same pointer.
        const auto one = target.As<IUnknown>(IID_IUnknown);
        const auto other = source.As<IUnknown>(IID_IUnknown);
        EXPECT_EQ(one.Get(), other.Get());

        void* none = reinterpret_cast<void*>(1);
        EXPECT_EQ(object->QueryInterface(IID_IDataObject, &none), E_NOINTERFACE);
        EXPECT_EQ(none, nullptr);
        EXPECT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0);
}

std::vector<std::uint8_t> Bytes(std::initializer_list<std::uint8_t> bytes) {
    return bytes;
}

TEST(DataObject, HandsOutCopiesInGlobalMemoryAndRefusesWhatItLacks) {
    const ComPtr<DataObject> data = MakeCom<DataObject>();
    data->SetBytes(CF_TEXT, Bytes({'a', 'b', 0}));
    data->SetBytes(CF_TEXT, Bytes({'x', 0}));  // replaces

    EXPECT_EQ(CopyGlobalData(data.Get(), CF_TEXT), Bytes({'x', 0}));
    EXPECT_FALSE(CopyGlobalData(data.Get(), CF_HDROP));
    FORMATETC stream{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
    EXPECT_EQ(data->QueryGetData(&stream), DV_E_TYMED);
    FORMATETC missing = GlobalFormat(CF_UNICODETEXT);
    EXPECT_EQ(data->QueryGetData(&missing), DV_E_FORMATETC);
    FORMATETC thumbnail{CF_TEXT, nullptr, DVASPECT_THUMBNAIL, -1, TYMED_HGLOBAL};
    EXPECT_EQ(data->QueryGetData(&thumbnail), DV_E_DVASPECT);

    // Into the caller's memory, when it is big enough.
    FORMATETC text = GlobalFormat(CF_TEXT);
    GlobalMemory small(GlobalAlloc(GMEM_MOVEABLE, 1));
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = small.Get();
    EXPECT_EQ(data->GetDataHere(&text, &medium), STG_E_MEDIUMFULL);
    GlobalMemory big(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8));
    medium.hGlobal = big.Get();
    EXPECT_EQ(data->GetDataHere(&text, &medium), S_OK);
    EXPECT_EQ(GlobalLock(big.Get()).Bytes()[0], 'x');
}

TEST(DataObject, SetDataKeepsACopyAndReleasesOnlyWhatItAccepted) {
    const ComPtr<DataObject> data = MakeCom<DataObject>();
    const CLIPFORMAT answer = RegisterFormat(L"ZarkitTestAnswer");
    EXPECT_TRUE(SetGlobalData(data.Get(), answer, Bytes({1, 2, 3})));
    const auto held = data->GetBytes(answer);
    ASSERT_TRUE(held);
    EXPECT_EQ(std::vector<std::uint8_t>(held->begin(), held->begin() + 3), Bytes({1, 2, 3}));
    EXPECT_TRUE(HasGlobalData(data.Get(), answer));

    // A medium it refuses stays the caller's: the caller can still use and free it.
    GlobalMemory memory = GlobalFromBytes(Bytes({9}));
    FORMATETC format{answer, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = memory.Get();
    EXPECT_EQ(data->SetData(&format, &medium, TRUE), DV_E_TYMED);
    EXPECT_EQ(GlobalLock(memory.Get()).Bytes()[0], 9);
}

TEST(DataObject, EnumeratesItsFormatsAndClonesKeepTheirPlace) {
    const ComPtr<DataObject> data = MakeCom<DataObject>();
    data->SetBytes(CF_TEXT, Bytes({0}));
    data->SetBytes(CF_HDROP, Bytes({0}));
    ComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats.Put()), S_OK);
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, ComPtr<IEnumFORMATETC>().Put()), E_NOTIMPL);

    FORMATETC got[3]{};
    ULONG fetched = 0;
    ASSERT_EQ(formats->Next(1, got, &fetched), S_OK);
    EXPECT_EQ(got[0].cfFormat, CF_TEXT);
    EXPECT_EQ(got[0].tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    ComPtr<IEnumFORMATETC> copy;
    ASSERT_EQ(formats->Clone(copy.Put()), S_OK);
    EXPECT_EQ(formats->Next(3, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(got[0].cfFormat, CF_HDROP);
    EXPECT_EQ(copy->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got[0].cfFormat, CF_HDROP);
    EXPECT_EQ(copy->Skip(1), S_FALSE);
    copy->Reset();
    EXPECT_EQ(copy->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got[0].cfFormat, CF_TEXT);
}

TEST(DropSource, EscapeCancelsAndReleasingTheLeftButtonDrops) {
    const ComPtr<DropSource> source = MakeCom<DropSource>();
    EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON | MK_SHIFT), S_OK);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_RBUTTON), DRAGDROP_S_DROP);
    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

TEST(DragHoverTarget, ReportsThePointerAndTakesNothing) {
    std::vector<POINT> seen;
    const ComPtr<DragHoverTarget> target =
        MakeCom<DragHoverTarget>([&seen](POINT point) { seen.push_back(point); });
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragEnter(nullptr, MK_LBUTTON, POINTL{3, 4}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragOver(MK_LBUTTON, POINTL{5, 6}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->Drop(nullptr, 0, POINTL{5, 6}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].x, 5);
    EXPECT_EQ(seen[1].y, 6);

    // A callback that throws does not unwind into OLE.
    const ComPtr<DragHoverTarget> throwing =
        MakeCom<DragHoverTarget>([](POINT) { throw std::runtime_error("x"); });
    EXPECT_EQ(throwing->DragOver(0, POINTL{}, &effect), E_UNEXPECTED);
}

// MSXML parses a byte array where it lies: the variant holds a copy of every byte, NULs
// and bytes above 0x7F included, and owns the array.
TEST(Variant, FromBytesHoldsACopyOfEveryByte) {
    const std::string bytes("<a>\0\xC3\xA9</a>", 10);
    const Variant held = Variant::FromBytes(bytes);
    ASSERT_FALSE(held.Empty());
    ASSERT_EQ(V_VT(&held.Get()), VT_ARRAY | VT_UI1);
    SAFEARRAY* const array = V_ARRAY(&held.Get());
    EXPECT_EQ(SafeArrayGetDim(array), 1u);
    LONG upper = -1;
    ASSERT_EQ(SafeArrayGetUBound(array, 1, &upper), S_OK);
    EXPECT_EQ(upper, 9);
    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
    EXPECT_EQ(std::string(static_cast<const char*>(data), 10), bytes);
    SafeArrayUnaccessData(array);

    const Variant none = Variant::FromBytes("");
    ASSERT_FALSE(none.Empty());
    EXPECT_EQ(SafeArrayGetUBound(V_ARRAY(&none.Get()), 1, &upper), S_OK);
    EXPECT_EQ(upper, -1);
}

}  // namespace
}  // namespace zarkit::ui
