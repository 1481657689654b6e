#include "UiSeams.h"

#include <gtest/gtest.h>

namespace
{
int FirstButton(UINT nType)
{
    switch (nType & MB_TYPEMASK)
    {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_RETRYCANCEL:
        return IDRETRY;
    default:
        return IDOK;
    }
}

void EndModal(CWnd& dialog, int nResult)
{
    if (auto* dlg = dynamic_cast<CDialog*>(&dialog))
        dlg->EndDialog(nResult);
}
} // namespace

CMessageBoxRecorder::CMessageBoxRecorder()
{
    AfxSetMessageBoxHandler(
        [this](const AFX_MESSAGEBOX& box)
        {
            m_calls.push_back(box);
            if (m_answers.empty())
                return FirstButton(box.nType);
            int answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
}

CMessageBoxRecorder::~CMessageBoxRecorder()
{
    InstallStrictUiSeams();
}

CModalScripts::CModalScripts()
{
    AfxSetModalHandler(
        [this](CWnd& dialog)
        {
            if (m_scripts.empty())
            {
                ADD_FAILURE() << "a modal dialog opened without a script";
                EndModal(dialog, IDCANCEL);
                return;
            }
            auto script = std::move(m_scripts.front());
            m_scripts.pop_front();
            script(dialog);
        });
}

CModalScripts::~CModalScripts()
{
    InstallStrictUiSeams();
}

CPopupMenuScripts::CPopupMenuScripts()
{
    AfxSetPopupMenuHandler(
        [this](const CMenu& menu, int x, int y) -> UINT
        {
            if (m_scripts.empty())
            {
                ADD_FAILURE() << "a pop-up menu opened without a script";
                return 0;
            }
            auto script = std::move(m_scripts.front());
            m_scripts.pop_front();
            return script(menu, x, y);
        });
}

CPopupMenuScripts::~CPopupMenuScripts()
{
    InstallStrictUiSeams();
}

CFileDialogScripts::CFileDialogScripts()
{
    AfxSetFileDialogHandler(
        [this](const CFileDialog& dialog) -> std::string
        {
            if (m_scripts.empty())
            {
                ADD_FAILURE() << "a file dialog opened without a script";
                return std::string();
            }
            auto script = std::move(m_scripts.front());
            m_scripts.pop_front();
            return script(dialog);
        });
}

CFileDialogScripts::~CFileDialogScripts()
{
    InstallStrictUiSeams();
}

void InstallStrictUiSeams()
{
    AfxSetMessageBoxHandler(
        [](const AFX_MESSAGEBOX& box)
        {
            ADD_FAILURE() << "unexpected message box: " << box.strText;
            return FirstButton(box.nType);
        });
    AfxSetModalHandler(
        [](CWnd& dialog)
        {
            ADD_FAILURE() << "a modal dialog opened without a script";
            EndModal(dialog, IDCANCEL);
        });
    AfxSetPopupMenuHandler(
        [](const CMenu&, int, int) -> UINT
        {
            ADD_FAILURE() << "unexpected pop-up menu";
            return 0;
        });
    AfxSetFileDialogHandler(
        [](const CFileDialog&)
        {
            ADD_FAILURE() << "unexpected file dialog";
            return std::string();
        });
}
