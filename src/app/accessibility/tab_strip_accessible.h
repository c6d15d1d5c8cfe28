#pragma once

#include "core/tab_strip_access.h"
#include "ui/com.h"
#include "ui/com_object.h"
#include "ui/win32.h"
#include <oleacc.h>

namespace zarkit {

// What the tab strip's accessible object asks of the strip it speaks for.
class AccessibleTabStrip {
public:
    virtual TabStripFacts AccessFacts() const = 0;
    // As a click on the tab at that position does, scrolled into view if it was not.
    virtual void ChooseTab(int position) = 0;
    virtual void TakeFocus() = 0;

protected:
    ~AccessibleTabStrip() = default;
};

// The tab strip to Microsoft Active Accessibility: a page-tab list whose children are the
// tabs (see tab_strip_access.h). What it does not answer itself,
// the window's standard accessible object does. Clients may hold it longer than the strip
// lives: once disconnected, every call fails.
class TabStripAccessible final : public ui::ComObject<TabStripAccessible, IAccessible, IOleWindow> {
public:
    TabStripAccessible(HWND window, AccessibleTabStrip& strip);

    // The strip is going: drops it and the standard object, and cuts off remote clients.
    void Disconnect();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;

    // IDispatch: clients of this object call IAccessible directly.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override;

    // IAccessible.
    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(long* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** dispatch) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* child) override;
    STDMETHODIMP get_accSelection(VARIANT* children) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
    STDMETHODIMP accSelect(long flags, VARIANT child) override;
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height,
                             VARIANT child) override;
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;
    STDMETHODIMP put_accName(VARIANT, BSTR) override;
    STDMETHODIMP put_accValue(VARIANT, BSTR) override;

    // IOleWindow: the strip's window, for WindowFromAccessibleObject.
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;

private:
    // Runs `body` with the strip's facts and the child `id` names; fails for a strip that
    // is gone and for an id that names nothing.
    template <typename Body>
    HRESULT WithChild(const wchar_t* where, const VARIANT& id, Body&& body);
    // A text that the standard object gives for the strip itself, and that its children
    // do not have (`for_children` says how).
    using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    HRESULT StandardText(const wchar_t* where, VARIANT child, BSTR* text, TextGetter get,
                         HRESULT for_children);
    // The child `pick` finds in the facts (the focused one, the selected one), or VT_EMPTY.
    template <typename Pick>
    HRESULT PickedChild(const wchar_t* where, VARIANT* child, Pick&& pick);

    HWND m_Window;
    AccessibleTabStrip* m_Strip;
    ui::ComPtr<IAccessible> m_Standard;
};

}  // namespace zarkit
