#pragma once

// Opens the product help at a numbered topic in a separate viewer process and
// returns at once. Nothing is reported to the caller: failures end in a
// debugger line or in silence, and in the host's failure handler when it
// installed one. Where no help program is installed beside the executable,
// the desktop's HTML viewer opens the help pages instead.

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
    // Whether the help program is installed at that path.
    std::function<bool(const std::string&)> m_fnProgramExists;
    std::string m_strHelpLibrary = "libQzHtmlHelp.so";

private:
    bool ShowThroughLibrary(HWND hOwner, unsigned long nTopic, const std::string& strExeDir) const;
    std::string HtmlViewer() const;
};

TARVO_API void ShowContextHelp(HWND hOwner, unsigned long nTopic, int bSkipLibrary);

// A host that wants the author told why no help opened installs a handler; it
// receives a sentence for the author. A null handler restores silence.
typedef std::function<void(const std::string& strReason)> HELP_FAILURE_HANDLER;
TARVO_API void SetHelpFailureHandler(HELP_FAILURE_HANDLER handler);
