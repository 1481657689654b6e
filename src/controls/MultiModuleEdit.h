#pragma once

#include "TarvoExport.h"
#include "afx/Edit.h"

#include <string>

class CModulEdit;

// An edit whose text is a row of fixed fields (numbers and delimiters). Each
// character position belongs to one field, which decides what typing,
// spinning and Delete do there; the window text is rebuilt from the fields
// after every change. The dialog supplies a plain edit box that this control
// subclasses.
class TARVO_API CMultiModuleEdit : public CEdit
{
public:
    static constexpr int MAX_POSITIONS = 100;

    CMultiModuleEdit();
    ~CMultiModuleEdit() override;

    // Appends the field at the end of the text; the edit owns it from now on.
    void AddModule(CModulEdit* pModule);
    // Sends WM_COMMAND with the control's id to the parent; beeps unless the
    // parent answers -1.
    virtual void NotifyParent();
    // The text of all fields in position order.
    virtual std::string GetText();
    // Pasted text goes into the fields from the one under the caret on: each
    // run of digits fills one field after another, the fields' widths or the
    // delimiters' text marking where a field ends. Anything but digits that fit
    // beeps and changes nothing.
    BOOL PasteText(const std::string& strText);

protected:
    void PreSubclassWindow() override;
    // The field under the caret, or null.
    CModulEdit* GetCurrentModule();
    void SelectModule(CModulEdit* pModule);
    // Shows the fields' text again and selects the field.
    void RefreshAndSelect(CModulEdit* pModule);

    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    void OnLButtonDblClk(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    void ReadSelection();
    // Spins the field and carries a wrap one level into its previous field.
    void SpinModule(CModulEdit* pModule, int nCode);

    int m_nPositions = 0;
    int m_nSelStart = 0;
    int m_nSelEnd = 0;
    CModulEdit* m_pLastModule = nullptr;
    CModulEdit* m_pLastDelimiter = nullptr;
    CModulEdit* m_arrSlots[MAX_POSITIONS] = {};
};
