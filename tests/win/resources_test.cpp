#include <array>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "ui/handles.h"

namespace zarkit {
namespace {

struct Rgb {
    int r;
    int g;
    int b;

    bool operator==(const Rgb&) const = default;
};

void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "RGB(" << c.r << "," << c.g << "," << c.b << ")";
}

constexpr Rgb kOutline{136, 167, 211};
constexpr Rgb kSlate{85, 99, 119};
constexpr Rgb kWhite{255, 255, 255};

// Within a few levels: the display's format may round what LoadBitmapW converts.
bool Near(Rgb a, Rgb b) {
    constexpr int kTolerance = 3;
    return std::abs(a.r - b.r) <= kTolerance && std::abs(a.g - b.g) <= kTolerance &&
           std::abs(a.b - b.b) <= kTolerance;
}

int Sum(Rgb c) {
    return c.r + c.g + c.b;
}

struct SkinBitmap {
    int id;
    int width;
    int height;
};

constexpr std::array<SkinBitmap, 11> kSkinBitmaps{{
    {IDB_TAB_BAR, 39, 1},
    {IDB_TAB_BOTTOM, 29, 4},
    {IDB_TAB_MIDDLE, 29, 1},
    {IDB_TAB_TOP, 29, 5},
    {IDB_TAB_SEL_BOTTOM, 32, 5},
    {IDB_TAB_SEL_MIDDLE, 32, 2},
    {IDB_TAB_SEL_TOP, 32, 6},
    {IDB_TAB_PREV, 17, 51},
    {IDB_TAB_NEXT, 17, 51},
    {IDB_DRAWER_BACKGROUND, 42, 2},
    {IDB_DRAWER_EDGE, 39, 338},
}};

HINSTANCE Module() {
    return GetModuleHandleW(nullptr);
}

// LoadBitmapW hands back a bitmap in the display's format, so the depth the
// resource was stored with is only visible in the raw resource.
const BITMAPINFOHEADER* StoredHeader(int id) {
    HRSRC info = FindResourceW(Module(), MAKEINTRESOURCEW(id), RT_BITMAP);
    if (info == nullptr) {
        return nullptr;
    }
    HGLOBAL data = LoadResource(Module(), info);
    return data == nullptr ? nullptr : static_cast<const BITMAPINFOHEADER*>(LockResource(data));
}

// A bitmap resource's pixels as the program's GDI calls see them.
class Pixels {
public:
    explicit Pixels(int id) {
        ui::Bitmap bitmap(LoadBitmapW(Module(), MAKEINTRESOURCEW(id)));
        if (!bitmap) {
            ADD_FAILURE() << "LoadBitmapW failed for " << id;
            return;
        }
        BITMAP info{};
        GetObjectW(bitmap.Get(), sizeof(info), &info);
        BITMAPINFO request{};
        request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        request.bmiHeader.biWidth = info.bmWidth;
        request.bmiHeader.biHeight = -info.bmHeight;  // top-down rows
        request.bmiHeader.biPlanes = 1;
        request.bmiHeader.biBitCount = 32;
        request.bmiHeader.biCompression = BI_RGB;
        std::vector<std::uint32_t> bits(static_cast<size_t>(info.bmWidth) * info.bmHeight);
        ui::MemoryDc dc(CreateCompatibleDC(nullptr));
        if (GetDIBits(dc.Get(), bitmap.Get(), 0, info.bmHeight, bits.data(), &request,
                      DIB_RGB_COLORS) != info.bmHeight) {
            ADD_FAILURE() << "GetDIBits failed for " << id;
            return;
        }
        width_ = info.bmWidth;
        height_ = info.bmHeight;
        bits_ = std::move(bits);
    }

    Rgb At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) {
            ADD_FAILURE() << "pixel (" << x << ", " << y << ") outside the bitmap";
            return {-1000, -1000, -1000};
        }
        const std::uint32_t v = bits_[static_cast<size_t>(y) * width_ + x];
        return {static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>(v & 0xFF)};
    }

    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> bits_;
};

TEST(Resources, EverySkinBitmapLoadsAtItsSizeStoredWith24Bits) {
    for (const SkinBitmap& expected : kSkinBitmaps) {
        SCOPED_TRACE(expected.id);
        ui::Bitmap bitmap(LoadBitmapW(Module(), MAKEINTRESOURCEW(expected.id)));
        ASSERT_TRUE(bitmap);
        BITMAP info{};
        ASSERT_EQ(GetObjectW(bitmap.Get(), sizeof(info), &info), static_cast<int>(sizeof(info)));
        EXPECT_EQ(info.bmWidth, expected.width);
        EXPECT_EQ(info.bmHeight, expected.height);

        const BITMAPINFOHEADER* stored = StoredHeader(expected.id);
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(stored->biBitCount, 24);
        EXPECT_EQ(stored->biCompression, static_cast<DWORD>(BI_RGB));
    }
}

// Windows shrinks a larger image when a size is missing, which blurs the tray
// icon; the icon file itself must hold 16 and 32.
TEST(Resources, IconHoldsTrayAndWindowSizes) {
    HRSRC group = FindResourceW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(Module(), group)));
    ASSERT_NE(directory, nullptr);

    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        ui::IconHandle icon(static_cast<HICON>(
            LoadImageW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0)));
        EXPECT_TRUE(icon);

        const int entry = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceW(Module(), MAKEINTRESOURCEW(entry), RT_ICON);
        ASSERT_NE(image, nullptr);
        auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Module(), image)));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // colour and mask stacked
    }
}

TEST(Resources, TabBarHasItsOutlineAtTheLeft) {
    Pixels bar(IDB_TAB_BAR);
    EXPECT_PRED2(Near, bar.At(0, 0), kOutline);
    EXPECT_PRED2(Near, bar.At(1, 0), (Rgb{225, 238, 255}));
    EXPECT_PRED2(Near, bar.At(38, 0), (Rgb{214, 229, 251}));
}

// Caps swapped top for bottom, or the selected and plain pieces swapped, would
// still load at plausible sizes; their outlines and fills tell them apart.
TEST(Resources, TabPiecesAreOpenOnTheRightWithCapsFacingOutwards) {
    struct Tab {
        int bottom;
        int middle;
        int top;
        Rgb fill;
    };
    for (const Tab& tab :
         {Tab{IDB_TAB_BOTTOM, IDB_TAB_MIDDLE, IDB_TAB_TOP, Rgb{190, 216, 249}},
          Tab{IDB_TAB_SEL_BOTTOM, IDB_TAB_SEL_MIDDLE, IDB_TAB_SEL_TOP, Rgb{249, 253, 255}}}) {
        SCOPED_TRACE(tab.middle);
        Pixels middle(tab.middle);
        const int right = middle.Width() - 1;
        for (int y = 0; y < middle.Height(); ++y) {
            EXPECT_PRED2(Near, middle.At(0, y), kOutline);
            EXPECT_PRED2(Near, middle.At(right, y), tab.fill);
        }

        Pixels top(tab.top);
        EXPECT_PRED2(Near, top.At(right, 0), kOutline);
        EXPECT_PRED2(Near, top.At(right, top.Height() - 1), tab.fill);
        EXPECT_PRED2(Near, top.At(0, top.Height() - 1), kOutline);

        Pixels bottom(tab.bottom);
        EXPECT_PRED2(Near, bottom.At(right, bottom.Height() - 1), kOutline);
        EXPECT_PRED2(Near, bottom.At(right, 0), tab.fill);
    }
}

TEST(Resources, ScrollButtonFramesArePressedHotNormalWithChevronsPrevDownNextUp) {
    struct Frame {
        int top;
        Rgb border;
        Rgb fill;
    };
    constexpr std::array<Frame, 3> kFrames{{
        {0, {69, 200, 210}, {94, 208, 217}},
        {17, {111, 202, 210}, {132, 208, 217}},
        {34, {173, 173, 173}, {234, 234, 234}},
    }};
    // Column 8 crosses the chevron: near its top for an up chevron, near its
    // bottom for a down one.
    for (int id : {IDB_TAB_PREV, IDB_TAB_NEXT}) {
        SCOPED_TRACE(id);
        Pixels button(id);
        const bool down = id == IDB_TAB_PREV;
        for (const Frame& frame : kFrames) {
            SCOPED_TRACE(frame.top);
            EXPECT_PRED2(Near, button.At(8, frame.top), frame.border);
            EXPECT_PRED2(Near, button.At(0, frame.top + 8), frame.border);
            EXPECT_PRED2(Near, button.At(16, frame.top + 8), frame.border);
            EXPECT_PRED2(Near, button.At(8, frame.top + 14), frame.fill);
            EXPECT_PRED2(Near, button.At(8, frame.top + (down ? 10 : 6)), kSlate);
            EXPECT_PRED2(Near, button.At(8, frame.top + (down ? 6 : 10)), frame.fill);
        }
    }
}

TEST(Resources, DrawerBackgroundIsDarkestInTheMiddle) {
    Pixels background(IDB_DRAWER_BACKGROUND);
    EXPECT_PRED2(Near, background.At(0, 0), (Rgb{188, 215, 245}));
    EXPECT_PRED2(Near, background.At(41, 0), (Rgb{203, 226, 249}));
    const int middle = Sum(background.At(20, 0));
    EXPECT_LT(middle, Sum(background.At(0, 0)));
    EXPECT_LT(middle, Sum(background.At(41, 0)));
    for (int x = 0; x < 42; ++x) {
        EXPECT_PRED2(Near, background.At(x, 1), background.At(x, 0)) << x;
    }
}

// White is the transparent colour: anything short of exact white around the
// lettering would show as a box over the drawer.
TEST(Resources, DrawerEdgeIsDarkLetteringOnPureWhite) {
    Pixels edge(IDB_DRAWER_EDGE);
    for (POINT p :
         {POINT{0, 0}, POINT{38, 0}, POINT{19, 0}, POINT{0, 337}, POINT{38, 337}, POINT{19, 337}}) {
        EXPECT_EQ(edge.At(p.x, p.y), kWhite) << p.x << "," << p.y;
    }
    int dark = 0;
    for (int y = 0; y < edge.Height(); ++y) {
        for (int x = 0; x < edge.Width(); ++x) {
            dark += Sum(edge.At(x, y)) < 300 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, edge.Width() * edge.Height() / 10);
}

}  // namespace
}  // namespace zarkit
