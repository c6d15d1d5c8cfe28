#pragma once

#include <string>
#include <vector>

#include "app/list_keys.h"
#include "app/table_controller.h"
#include "ui/control_subclass.h"
#include "ui/window.h"

namespace zarkit {

class CRawTabCtrl;

// Find as you type: over the list area, in place of the selected table's list while the
// user types, a find line with what was typed and a list of the items of every table
// that match it, best first, each with its table's name. Hidden otherwise, so the drawer
// looks as it always does. The results are a report-view list control: the keys move
// through it, and screen readers read its rows.
class CFindView : public ui::Window {
public:
    CFindView(TableController& tables, CRawTabCtrl& tabs);
    ~CFindView() override;

    static bool RegisterWindowClass();

    bool Finding() const { return m_Finding; }
    // Adds a character to the find line, showing the view first when it is hidden.
    void Type(char32_t character);
    // Hides the view and shows the selected table's list again; the keyboard focus goes
    // to that list when it was here.
    void End();
    // The keyboard focus to the results.
    void Focus();

    // Control ids of the find line and the results.
    static constexpr int kFindLineId = 1030;
    static constexpr int kResultsId = 1031;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    // A hidden child of the tab strip, made when the user first types to find.
    bool CreateFindView();
    LRESULT OnCreate();
    void Layout();
    void Show();
    void Search();
    void Fill(const ListedItem* keep);
    int SelectedRow() const;
    bool OnResultsKey(const KeyPress& press);
    bool OnResultsChar(char32_t character);
    void LaunchSelected();
    void Backspace();
    static LRESULT ResultsProc(void* self, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    TableController& m_Tables;
    CRawTabCtrl& m_Tabs;
    // Children of this window, which destroys them.
    HWND m_Label = nullptr;
    HWND m_Line = nullptr;
    HWND m_Count = nullptr;
    HWND m_Results = nullptr;
    ui::ControlSubclass m_ResultsSubclass;
    ListKeys m_Keys;
    std::string m_Text;  // UTF-8, as typed
    std::vector<TableController::FoundItem> m_Found;
    bool m_Finding = false;
};

}  // namespace zarkit
