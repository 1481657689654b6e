#include "UiSeams.h"

#include <gtest/gtest.h>

namespace
{
int FirstButton(UINT nType)
{
    switch (nType & MB_TYPEMASK)
    {
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
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
    AfxSetMessageBoxHandler([this](const AFX_MESSAGEBOX& box) {
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
    AfxSetModalHandler([this](CWnd& dialog) {
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

void InstallStrictUiSeams()
{
    AfxSetMessageBoxHandler([](const AFX_MESSAGEBOX& box) {
        ADD_FAILURE() << "unexpected message box: " << box.strText;
        return FirstButton(box.nType);
    });
    AfxSetModalHandler([](CWnd& dialog) {
        ADD_FAILURE() << "a modal dialog opened without a script";
        EndModal(dialog, IDCANCEL);
    });
}
