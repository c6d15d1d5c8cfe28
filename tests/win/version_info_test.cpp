#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "core/product.h"
#include "ui/text.h"
#include "ui/win32.h"

namespace zarkit {
namespace {

// The built program lies beside this test executable.
std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"zarkit.exe";
}

// The whole version block of a file, as the shell's properties page reads it.
class VersionInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring path = ProgramPath();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_NE(size, 0u) << "no version resource in " << ui::Narrow(path) << ", error "
                            << GetLastError();
        block_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block_.data()));
    }

    std::string Text(const wchar_t* name) {
        struct Translation {
            WORD language;
            WORD code_page;
        };
        Translation* translations = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block_.data(), L"\\VarFileInfo\\Translation",
                            reinterpret_cast<void**>(&translations), &length) ||
            length < sizeof(Translation)) {
            ADD_FAILURE() << "no translation table";
            return {};
        }
        wchar_t query[128];
        std::swprintf(query, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translations[0].language,
                      translations[0].code_page, name);
        wchar_t* value = nullptr;
        if (!VerQueryValueW(block_.data(), query, reinterpret_cast<void**>(&value), &length) ||
            value == nullptr) {
            return "<missing>";
        }
        return ui::Narrow(value);
    }

    std::vector<char> block_;
};

std::array<WORD, 4> Parts(const char* version) {
    std::array<unsigned, 4> parts{};
    EXPECT_EQ(std::sscanf(version, "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]), 4);
    return {static_cast<WORD>(parts[0]), static_cast<WORD>(parts[1]), static_cast<WORD>(parts[2]),
            static_cast<WORD>(parts[3])};
}

TEST_F(VersionInfoTest, FixedVersionsAreTheProgramsVersion) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const auto expected = Parts(product::kVersion);
    const std::array<WORD, 4> file{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                                   HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
    const std::array<WORD, 4> product{
        HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
        HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS)};
    EXPECT_EQ(file, (std::array<WORD, 4>{1, 0, 2, 1001}));
    EXPECT_EQ(file, expected);
    EXPECT_EQ(product, expected);
}

TEST_F(VersionInfoTest, TextsNameTheProductAndTheFile) {
    EXPECT_EQ(Text(L"ProductName"), product::kProductName);
    EXPECT_EQ(Text(L"ProductName"), "VELMOR Zarkit");
    EXPECT_EQ(Text(L"ProductVersion"), "1.0.2.1001");
    EXPECT_EQ(Text(L"FileVersion"), product::kVersion);
    EXPECT_EQ(Text(L"CompanyName"), "VELMOR Soft");
    EXPECT_EQ(Text(L"OriginalFilename"), "zarkit.exe");
    EXPECT_NE(Text(L"FileDescription").find("Zarkit"), std::string::npos);
    EXPECT_NE(Text(L"LegalCopyright").find("VELMOR Soft"), std::string::npos);
}

}  // namespace
}  // namespace zarkit
