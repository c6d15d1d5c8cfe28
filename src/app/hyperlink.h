#pragma once

#include <string>

#include "ui/handles.h"
#include "ui/win32.h"

namespace zarkit {

// Turns a static control of a dialog into a link: the control's text is its target,
// shown with a hand cursor and a tooltip, underlined while the pointer is over it, and
// opened on a click (through the shell, as a mail message when it holds an at sign, or
// with the program registered for web pages when the shell cannot open it).
//
// The control stays the dialog's: Attach subclasses it, and everything else, the click
// included, is handled in that subclass, so the owning dialog routes nothing. A parent
// that passes WM_CTLCOLORSTATIC on may answer it with OnCtlColor.
class CHyperLink {
public:
    static constexpr int UnderlineNever = 0;
    static constexpr int UnderlineAlways = 1;
    static constexpr int UnderlineOnHover = -1;

    CHyperLink() = default;
    ~CHyperLink();
    CHyperLink(const CHyperLink&) = delete;
    CHyperLink& operator=(const CHyperLink&) = delete;

    // Takes over `control`, a static control created by a dialog template; false when it
    // is not a window or is attached already.
    bool Attach(HWND control);
    HWND Hwnd() const { return m_Control; }

    void SetUnderlineMode(int mode);
    void MarkVisited(bool visited);
    // Text colour by state, transparent background; the brush to answer with.
    HBRUSH OnCtlColor(HDC dc) const;

    // Opens `target`; the shell's result, above 32 on success.
    int OpenTarget(const std::string& target, int show_command) const;
    void ShowOpenError(int code) const;
    // The default value of root\sub_key, read with the classic 260-character limit;
    // 0 or the registry's error code.
    static LONG ReadRegDefault(HKEY root, const std::wstring& sub_key, std::wstring& value);

    const std::string& Target() const { return m_Target; }
    bool IsHovering() const { return m_Hovering; }
    bool IsVisited() const { return m_Visited; }
    HCURSOR HandCursor() const { return m_HandCursor.Get(); }
    HWND TipWindow() const { return m_Tip.Get(); }
    HFONT PlainFont() const { return m_FontPlain.Get(); }
    HFONT UnderlinedFont() const { return m_FontUnderlined.Get(); }

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void OnMouseMove();
    void OnHoverTimer();
    void OnClicked();
    void OnDestroy();
    void CreateFonts();
    void FitToText();
    void LoadHandCursor();
    void CreateTip();
    void Detach();

    COLORREF m_NormalColor = RGB(255, 0, 238);
    COLORREF m_VisitedColor = RGB(85, 26, 139);
    COLORREF m_HoverColor = RGB(255, 0, 0);
    bool m_Hovering = false;
    bool m_Visited = false;
    int m_UnderlineMode = UnderlineOnHover;
    bool m_FitToText = true;
    std::string m_Target;
    ui::Font m_FontUnderlined;
    ui::Font m_FontPlain;
    ui::CursorHandle m_HandCursor;
    ui::WindowHandle m_Tip;
    const UINT_PTR m_HoverTimerId = 100;

    HWND m_Control = nullptr;
    // The font the template gave the control, put back when it is let go alive.
    HFONT m_FontOriginal = nullptr;
};

}  // namespace zarkit
