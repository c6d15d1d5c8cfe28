#pragma once

#include "ui/com_object.h"
#include "ui/win32.h"
#include <oleidl.h>

namespace zarkit::ui {

// The source side of a drag begun with the left mouse button: Escape cancels it,
// releasing the button drops, and the system draws the cursors.
class DropSource final : public ComObject<DropSource, IDropSource> {
public:
    STDMETHODIMP QueryContinueDrag(BOOL escape_pressed, DWORD key_state) override;
    STDMETHODIMP GiveFeedback(DWORD effect) override;
};

}  // namespace zarkit::ui
