#pragma once

#include "TarvoExport.h"
#include "afx/PropertyPage.h"
#include "controls/MoveControlBy.h"

#include <initializer_list>

// A control of a tab and how its edges follow the tab's size (MoveControlBy).
struct TAB_ANCHOR
{
    int nID;
    int nAnchor;
};

// The base of every property tab, exported so that a separate tab library can
// derive from it. It remembers the page's size, so that a tab's WM_SIZE
// handler can move its controls by the change since the last layout, offers
// UseDefaults for the properties host and forwards help to the main window.
class TARVO_API CResizePropertyPage : public CPropertyPage
{
public:
    CResizePropertyPage();
    CResizePropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    // The template by name: "#10205" or "10205".
    CResizePropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CResizePropertyPage() override;

    // The page window's outer size when SaveSize last ran; 0, 0 before.
    CSize GetSavedSize() const { return m_sizeSaved; }
    void SaveSize();
    // Sets the controls, and what OnKillActive writes, to the type's defaults.
    virtual void UseDefaults();

protected:
    void CommonConstruct();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    // For a tab's WM_SIZE handler: moves the controls by the change of size
    // since the last SaveSize, saves the new size and repaints.
    void AnchorControls(std::initializer_list<TAB_ANCHOR> anchors);

    CSize m_sizeSaved;

    DECLARE_MESSAGE_MAP()
};
