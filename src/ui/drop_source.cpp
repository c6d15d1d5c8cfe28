#include "ui/drop_source.h"

namespace zarkit::ui {

STDMETHODIMP DropSource::QueryContinueDrag(BOOL escape_pressed, DWORD key_state) {
    if (escape_pressed) {
        return DRAGDROP_S_CANCEL;
    }
    return (key_state & MK_LBUTTON) == 0 ? DRAGDROP_S_DROP : S_OK;
}

STDMETHODIMP DropSource::GiveFeedback(DWORD) {
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

}  // namespace zarkit::ui
