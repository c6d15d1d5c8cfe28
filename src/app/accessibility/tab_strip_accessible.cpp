#include "app/accessibility/tab_strip_accessible.h"

#include <optional>
#include <string_view>

#include "ui/text.h"

namespace zarkit {
namespace {

HRESULT PutString(BSTR* out, std::string_view text) {
    const std::wstring wide = ui::Widen(text);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void PutChildId(VARIANT* out, long id) {
    V_VT(out) = VT_I4;
    V_I4(out) = id;
}

long RoleOf(AccessRole role) {
    switch (role) {
        case AccessRole::kPageTab:
            return ROLE_SYSTEM_PAGETAB;
        case AccessRole::kPageTabList:
            break;
    }
    return ROLE_SYSTEM_PAGETABLIST;
}

long StateOf(const AccessState& state) {
    long bits = 0;
    const auto add = [&bits](bool on, long bit) {
        if (on) {
            bits |= bit;
        }
    };
    add(state.selected, STATE_SYSTEM_SELECTED);
    add(state.focused, STATE_SYSTEM_FOCUSED);
    add(state.selectable, STATE_SYSTEM_SELECTABLE);
    add(state.focusable, STATE_SYSTEM_FOCUSABLE);
    add(state.invisible, STATE_SYSTEM_INVISIBLE);
    add(state.offscreen, STATE_SYSTEM_OFFSCREEN);
    return bits;
}

std::optional<AccessDirection> DirectionOf(long direction) {
    switch (direction) {
        case NAVDIR_UP:
            return AccessDirection::kUp;
        case NAVDIR_DOWN:
            return AccessDirection::kDown;
        case NAVDIR_LEFT:
            return AccessDirection::kLeft;
        case NAVDIR_RIGHT:
            return AccessDirection::kRight;
        case NAVDIR_NEXT:
            return AccessDirection::kNext;
        case NAVDIR_PREVIOUS:
            return AccessDirection::kPrevious;
        case NAVDIR_FIRSTCHILD:
            return AccessDirection::kFirstChild;
        case NAVDIR_LASTCHILD:
            return AccessDirection::kLastChild;
        default:
            return std::nullopt;
    }
}

static_assert(kSelectTakeFocus == SELFLAG_TAKEFOCUS &&
              kSelectTakeSelection == SELFLAG_TAKESELECTION &&
              kSelectExtend == SELFLAG_EXTENDSELECTION && kSelectAdd == SELFLAG_ADDSELECTION &&
              kSelectRemove == SELFLAG_REMOVESELECTION);

bool IsSelf(const AccessChild& child) {
    return child.kind == AccessChildKind::kSelf;
}

}  // namespace

TabStripAccessible::TabStripAccessible(HWND window, AccessibleTabStrip& strip)
    : m_Window(window), m_Strip(&strip) {
    const HRESULT result = CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                     m_Standard.PutVoid());
    if (FAILED(result)) {
        ui::Trace(L"CreateStdAccessibleObject failed: 0x%08lX\n",
                  static_cast<unsigned long>(result));
    }
}

void TabStripAccessible::Disconnect() {
    m_Strip = nullptr;
    m_Standard.Reset();
    CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

template <typename Body>
HRESULT TabStripAccessible::WithChild(const wchar_t* where, const VARIANT& id, Body&& body) {
    return ui::GuardComCall(where, [&]() -> HRESULT {
        if (m_Strip == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        if (V_VT(&id) != VT_I4) {
            return E_INVALIDARG;
        }
        const TabStripFacts facts = m_Strip->AccessFacts();
        const std::optional<AccessChild> child = ChildOfId(facts, V_I4(&id));
        if (!child) {
            return E_INVALIDARG;
        }
        return body(facts, *child);
    });
}

STDMETHODIMP TabStripAccessible::QueryInterface(REFIID iid, void** out) {
    // IAccessible is a dual interface: it answers for IDispatch too.
    if (out != nullptr && IsEqualIID(iid, __uuidof(IDispatch))) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    return ComObject::QueryInterface(iid, out);
}

STDMETHODIMP TabStripAccessible::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP TabStripAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP TabStripAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

STDMETHODIMP TabStripAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                        EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

STDMETHODIMP TabStripAccessible::get_accParent(IDispatch** parent) {
    if (parent == nullptr) {
        return E_POINTER;
    }
    *parent = nullptr;
    if (m_Strip == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    return m_Standard ? m_Standard->get_accParent(parent) : S_FALSE;
}

STDMETHODIMP TabStripAccessible::get_accChildCount(long* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return ui::GuardComCall(L"TabStripAccessible::get_accChildCount", [&]() -> HRESULT {
        if (m_Strip == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        *count = AccessChildCount(m_Strip->AccessFacts());
        return S_OK;
    });
}

STDMETHODIMP TabStripAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
    if (dispatch == nullptr) {
        return E_POINTER;
    }
    *dispatch = nullptr;
    return WithChild(L"TabStripAccessible::get_accChild", child,
                     [&](const TabStripFacts&, const AccessChild& found) -> HRESULT {
                         if (!IsSelf(found)) {
                             return S_FALSE;  // the tabs and buttons are simple elements
                         }
                         return QueryInterface(__uuidof(IDispatch),
                                               reinterpret_cast<void**>(dispatch));
                     });
}

STDMETHODIMP TabStripAccessible::get_accName(VARIANT child, BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = nullptr;
    return WithChild(L"TabStripAccessible::get_accName", child,
                     [&](const TabStripFacts& facts, const AccessChild& found) {
                         return PutString(name, DescribeChild(facts, found).name);
                     });
}

HRESULT TabStripAccessible::StandardText(const wchar_t* where, VARIANT child, BSTR* text,
                                         TextGetter get, HRESULT for_children) {
    if (text == nullptr) {
        return E_POINTER;
    }
    *text = nullptr;
    return WithChild(where, child, [&](const TabStripFacts&, const AccessChild& found) {
        if (!IsSelf(found)) {
            return for_children;
        }
        return m_Standard ? (m_Standard.Get()->*get)(child, text) : S_FALSE;
    });
}

template <typename Pick>
HRESULT TabStripAccessible::PickedChild(const wchar_t* where, VARIANT* child, Pick&& pick) {
    if (child == nullptr) {
        return E_POINTER;
    }
    VariantInit(child);
    return ui::GuardComCall(where, [&]() -> HRESULT {
        if (m_Strip == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        const TabStripFacts facts = m_Strip->AccessFacts();
        const std::optional<AccessChild> picked = pick(facts);
        if (!picked) {
            return S_FALSE;
        }
        PutChildId(child, IdOfChild(facts, *picked));
        return S_OK;
    });
}

STDMETHODIMP TabStripAccessible::get_accValue(VARIANT child, BSTR* value) {
    return StandardText(L"TabStripAccessible::get_accValue", child, value,
                        &IAccessible::get_accValue, DISP_E_MEMBERNOTFOUND);
}

STDMETHODIMP TabStripAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return StandardText(L"TabStripAccessible::get_accDescription", child, description,
                        &IAccessible::get_accDescription, DISP_E_MEMBERNOTFOUND);
}

STDMETHODIMP TabStripAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (role == nullptr) {
        return E_POINTER;
    }
    VariantInit(role);
    return WithChild(L"TabStripAccessible::get_accRole", child,
                     [&](const TabStripFacts& facts, const AccessChild& found) {
                         PutChildId(role, RoleOf(DescribeChild(facts, found).role));
                         return S_OK;
                     });
}

STDMETHODIMP TabStripAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    VariantInit(state);
    return WithChild(L"TabStripAccessible::get_accState", child,
                     [&](const TabStripFacts& facts, const AccessChild& found) -> HRESULT {
                         if (IsSelf(found)) {
                             // The window's: visible, focusable, focused.
                             return m_Standard ? m_Standard->get_accState(child, state) : E_NOTIMPL;
                         }
                         PutChildId(state, StateOf(DescribeChild(facts, found).state));
                         return S_OK;
                     });
}

STDMETHODIMP TabStripAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return StandardText(L"TabStripAccessible::get_accHelp", child, help, &IAccessible::get_accHelp,
                        DISP_E_MEMBERNOTFOUND);
}

STDMETHODIMP TabStripAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    if (file == nullptr || topic == nullptr) {
        return E_POINTER;
    }
    *file = nullptr;
    *topic = 0;
    return WithChild(L"TabStripAccessible::get_accHelpTopic", child,
                     [&](const TabStripFacts&, const AccessChild& found) -> HRESULT {
                         if (!IsSelf(found)) {
                             return DISP_E_MEMBERNOTFOUND;
                         }
                         return m_Standard ? m_Standard->get_accHelpTopic(file, child, topic)
                                           : S_FALSE;
                     });
}

STDMETHODIMP TabStripAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return StandardText(L"TabStripAccessible::get_accKeyboardShortcut", child, shortcut,
                        &IAccessible::get_accKeyboardShortcut, S_FALSE);
}

STDMETHODIMP TabStripAccessible::get_accFocus(VARIANT* child) {
    return PickedChild(L"TabStripAccessible::get_accFocus", child,
                       [](const TabStripFacts& facts) { return FocusedChild(facts); });
}

STDMETHODIMP TabStripAccessible::get_accSelection(VARIANT* children) {
    return PickedChild(L"TabStripAccessible::get_accSelection", children,
                       [](const TabStripFacts& facts) { return SelectedChild(facts); });
}

STDMETHODIMP TabStripAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (action == nullptr) {
        return E_POINTER;
    }
    *action = nullptr;
    return WithChild(L"TabStripAccessible::get_accDefaultAction", child,
                     [&](const TabStripFacts& facts, const AccessChild& found) -> HRESULT {
                         const AccessDescription description = DescribeChild(facts, found);
                         if (description.default_action.empty()) {
                             return S_FALSE;
                         }
                         return PutString(action, description.default_action);
                     });
}

STDMETHODIMP TabStripAccessible::accSelect(long flags, VARIANT child) {
    return WithChild(L"TabStripAccessible::accSelect", child,
                     [&](const TabStripFacts&, const AccessChild& found) -> HRESULT {
                         if (IsSelf(found)) {
                             return m_Standard ? m_Standard->accSelect(flags, child) : E_NOTIMPL;
                         }
                         const AccessSelect request =
                             SelectRequest(found, static_cast<unsigned>(flags));
                         if (!request.valid) {
                             return E_INVALIDARG;
                         }
                         if (request.focus) {
                             m_Strip->TakeFocus();
                         }
                         if (request.choose) {
                             m_Strip->ChooseTab(found.position);
                         }
                         return S_OK;
                     });
}

STDMETHODIMP TabStripAccessible::accLocation(long* left, long* top, long* width, long* height,
                                             VARIANT child) {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
        return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    return WithChild(
        L"TabStripAccessible::accLocation", child,
        [&](const TabStripFacts& facts, const AccessChild& found) -> HRESULT {
            if (IsSelf(found)) {
                return m_Standard ? m_Standard->accLocation(left, top, width, height, child)
                                  : E_NOTIMPL;
            }
            const std::optional<Rect> location = DescribeChild(facts, found).location;
            if (!location) {
                return S_OK;  // scrolled out: no place on the screen (and the state says so)
            }
            POINT corner{location->left, location->top};
            ClientToScreen(m_Window, &corner);
            *left = corner.x;
            *top = corner.y;
            *width = location->Width();
            *height = location->Height();
            return S_OK;
        });
}

STDMETHODIMP TabStripAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (end == nullptr) {
        return E_POINTER;
    }
    VariantInit(end);
    const std::optional<AccessDirection> towards = DirectionOf(direction);
    if (!towards) {
        return E_INVALIDARG;
    }
    return WithChild(L"TabStripAccessible::accNavigate", start,
                     [&](const TabStripFacts& facts, const AccessChild& from) -> HRESULT {
                         const AccessNavigation navigation = Navigate(facts, from, *towards);
                         if (navigation.ask_window) {
                             return m_Standard ? m_Standard->accNavigate(direction, start, end)
                                               : S_FALSE;
                         }
                         if (!navigation.found) {
                             return S_FALSE;
                         }
                         PutChildId(end, IdOfChild(facts, *navigation.found));
                         return S_OK;
                     });
}

STDMETHODIMP TabStripAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (child == nullptr) {
        return E_POINTER;
    }
    VariantInit(child);
    return ui::GuardComCall(L"TabStripAccessible::accHitTest", [&]() -> HRESULT {
        if (m_Strip == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        const TabStripFacts facts = m_Strip->AccessFacts();
        POINT point{x, y};
        ScreenToClient(m_Window, &point);
        const std::optional<AccessChild> hit = ChildAt(facts, Point{point.x, point.y});
        if (!hit) {
            return m_Standard ? m_Standard->accHitTest(x, y, child) : S_FALSE;
        }
        PutChildId(child, IdOfChild(facts, *hit));
        return S_OK;
    });
}

STDMETHODIMP TabStripAccessible::accDoDefaultAction(VARIANT child) {
    return WithChild(L"TabStripAccessible::accDoDefaultAction", child,
                     [&](const TabStripFacts&, const AccessChild& found) -> HRESULT {
                         switch (DefaultActionOf(found)) {
                             case AccessAction::kChooseTab:
                                 m_Strip->ChooseTab(found.position);
                                 return S_OK;
                             case AccessAction::kNone:
                                 break;
                         }
                         return DISP_E_MEMBERNOTFOUND;
                     });
}

STDMETHODIMP TabStripAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

STDMETHODIMP TabStripAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

STDMETHODIMP TabStripAccessible::GetWindow(HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = m_Window;
    return m_Strip != nullptr ? S_OK : RPC_E_DISCONNECTED;
}

STDMETHODIMP TabStripAccessible::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

}  // namespace zarkit
