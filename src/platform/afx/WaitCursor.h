#pragma once

// Shows the wait cursor over the whole application for the object's life.
// Without a GUI application it does nothing.

class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the wait cursor again after something (a message box) replaced it.
    void Restore();

private:
    bool m_bShown = false;
};
