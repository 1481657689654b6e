#pragma once

#include "TempDir.h"
#include "UiSeams.h"

#include "dialogs/ParamListDlg.h"
#include "manager/TarvoMgr.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// A host window for the list: it records the "OnDeleteParameter" messages
// the list posts to it.
class CListHostWnd : public CWnd
{
public:
    std::vector<WPARAM> m_arrDeleteStates;

protected:
    LRESULT OnDeleteParameterMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// An extension beside the list: records the codes and data it hears and
// answers code 3 as told.
class CListenerExt : public CTarvoMgrExt
{
public:
    using CTarvoMgrExt::CTarvoMgrExt;
    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

    // "code:data" for each broadcast, "<null>" for no data.
    std::vector<std::string> m_arrHeard;
    std::vector<CTarvoMgrExt*> m_arrSenders;
    int m_nAnswerBeforeChange = 1;
};

// A script directory with type definitions and a parameter file:
//   Hidden1 (XML, hidden), CustomerName (File, data file customers.dat),
//   City (File), Street (Table), Amount (Random Number), Odd (a type without
//   an entry in "ParameterTypes"), Blank (Custom, no original value), Sheet
//   (Spreadsheet, a visible type shown on the File tab).
class ParamListFixture : public ::testing::Test
{
protected:
    ParamListFixture();
    ~ParamListFixture() override;

    // The fixture's type definitions; "Table" (File) hidden or not.
    static std::string DefaultTypes(bool bHideDataFileType = false);
    // A manager over the fixture's script, or over other parameter file and
    // type definition texts.
    void LoadManager(const std::string& strPrm = std::string(), const std::string& strTypes = std::string());

    CTempDir m_dir;
    std::string m_strPrmPath;
    std::string m_strDataFile;
    std::unique_ptr<CTarvoMgr> m_pMgr;
    CMessageBoxRecorder m_boxes;
    CModalScripts m_modals;
    CPopupMenuScripts m_menus;
};

// The list window created by the manager inside a shown host window.
class ParamListWindowFixture : public ParamListFixture
{
protected:
    ~ParamListWindowFixture() override;

    void CreateList(const std::string& strPrm = std::string(), const std::string& strTypes = std::string());
    CTreeControlEx& Tree() { return m_pList->m_tree; }
    std::vector<std::string> Names();
    HTREEITEM Item(const std::string& strName);
    std::string Selected();
    int Image(const std::string& strName);
    void ClickLabel(const std::string& strName);
    // Opens the selected item's label editor with F2, types the text and presses Enter.
    void RenameSelected(const std::string& strText);

    CListHostWnd m_host;
    CParamListDlg* m_pList = nullptr;
    std::unique_ptr<CListenerExt> m_pListener;
};

typedef std::vector<std::string> Strings;
