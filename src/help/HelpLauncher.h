#pragma once

// Opens the product help at a numbered topic in a separate viewer process and
// returns at once. Nothing is reported to the caller: failures end in a
// debugger line or in silence.

#include "TarvoExport.h"
#include "afx/AfxTypes.h"

#include <functional>
#include <optional>
#include <string>

class TARVO_API CHelpLauncher
{
public:
    // The running executable, the desktop's HTML handler and the help library
    // found by name.
    CHelpLauncher();

    void Show(HWND hOwner, unsigned long nTopic, int bSkipLibrary) const;

    // Where the help comes from; tests replace them.
    std::function<std::string()> m_fnExecutablePath;
    // The HTML viewer's command with the program in double quotes, as the
    // desktop registers it; nothing when it cannot be read.
    std::function<std::optional<std::string>()> m_fnHtmlViewerCommand;
    std::string m_strHelpLibrary = "libQzHtmlHelp.so";

private:
    bool ShowThroughLibrary(HWND hOwner, unsigned long nTopic, const std::string& strExeDir) const;
    std::string HtmlViewer() const;
};

TARVO_API void ShowContextHelp(HWND hOwner, unsigned long nTopic, int bSkipLibrary);
