#include "ui/com_guid.h"

#include <algorithm>

#include "ui/trace.h"
#include "ui/win32.h"
#include <objbase.h>

namespace zarkit::ui {

zarkit::GuidSource ComGuidSource() {
    return []() -> std::optional<Guid> {
        GUID source{};
        const HRESULT result = CoCreateGuid(&source);
        if (FAILED(result)) {
            ui::Trace(L"CoCreateGuid failed: 0x%08lX\n", static_cast<unsigned long>(result));
            return std::nullopt;
        }
        Guid guid;
        guid.data1 = source.Data1;
        guid.data2 = source.Data2;
        guid.data3 = source.Data3;
        std::copy(std::begin(source.Data4), std::end(source.Data4), guid.data4.begin());
        return guid;
    };
}

}  // namespace zarkit::ui
