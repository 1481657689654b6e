#include "EditorWindow.h"
#include "ParamListing.h"
#include "ScriptLocation.h"

#include "afx/MessageBox.h"
#include "afx/WinApp.h"
#include "resources/TarvoResources.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const char* const kUsage = "Usage: tarvo-editor [SCRIPT]\n"
                           "       tarvo-editor --list SCRIPT\n"
                           "       tarvo-editor --screenshot FILE [SCRIPT]\n"
                           "Edit the parameters of a load-test script.\n"
                           "\n"
                           "SCRIPT is the script's .usr file, its directory or its .prm file; without it\n"
                           "the bundled example opens.\n"
                           "\n"
                           "  --list SCRIPT      print each parameter: name, type, sample, delimiter (tab-separated)\n"
                           "  --screenshot FILE  render the editor to a PNG file and exit\n"
                           "  --help             show this help and exit\n"
                           "  --version          show the version and exit\n";

struct OPTIONS
{
    std::string strScript;
    std::string strScreenshot;
    bool bList = false;
    bool bHelp = false;
    bool bVersion = false;
    std::string strError;
};

OPTIONS ParseOptions(int argc, char** argv)
{
    OPTIONS options;
    for (int i = 1; i < argc && options.strError.empty(); ++i)
    {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h")
            options.bHelp = true;
        else if (arg == "--version")
            options.bVersion = true;
        else if (arg == "--list")
            options.bList = true;
        else if (arg == "--screenshot")
        {
            if (i + 1 < argc)
                options.strScreenshot = argv[++i];
            else
                options.strError = "option '--screenshot' needs a file name";
        }
        else if (!arg.empty() && arg[0] == '-')
            options.strError = "unrecognised option '" + arg + "'";
        else if (options.strScript.empty())
            options.strScript = arg;
        else
            options.strError = "more than one script given";
    }
    if (options.bList && options.strScript.empty() && options.strError.empty())
        options.strError = "option '--list' needs a script";
    return options;
}

// The installation root is the folder above the one holding the program.
std::string InstallationRoot(const char* argv0)
{
    QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                               : QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
    return QDir(dir + "/..").absolutePath().toStdString();
}

std::string ExampleScript(const std::string& strRoot)
{
    for (const std::string& candidate :
         {strRoot + "/share/tarvo/examples/nursery_order", std::string(TARVO_SOURCE_EXAMPLES) + "/nursery_order"})
        if (QFileInfo::exists(QString::fromStdString(candidate)))
            return candidate;
    return std::string();
}

// Without a session, a private folder for the run-time files Qt wants.
std::string PrivateRuntimeDir()
{
    std::string dir = QDir::tempPath().toStdString() + "/tarvo-runtime-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    return dir;
}

// The offscreen platform notes what it cannot do; without a display that is expected.
QtMessageHandler g_pfnStandardHandler = nullptr;

void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains("does not support propagateSizeHints") && g_pfnStandardHandler)
        g_pfnStandardHandler(type, context, message);
}

int Fail(const std::string& strMessage, int nCode)
{
    std::fprintf(stderr, "tarvo-editor: %s\n", strMessage.c_str());
    if (nCode == 2)
        std::fputs("Try 'tarvo-editor --help' for more information.\n", stderr);
    return nCode;
}
} // namespace

int main(int argc, char** argv)
{
    OPTIONS options = ParseOptions(argc, argv);
    if (!options.strError.empty())
        return Fail(options.strError, 2);
    if (options.bHelp)
    {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options.bVersion)
    {
        std::printf("tarvo-editor %s\n", TARVO_VERSION);
        return 0;
    }
    // Listing and screenshots need no display.
    if ((options.bList || !options.strScreenshot.empty()) && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            qputenv("XDG_RUNTIME_DIR", PrivateRuntimeDir().c_str());
        g_pfnStandardHandler = qInstallMessageHandler(QuietOffscreenNotes);
    }
    QApplication app(argc, argv);
    // Named once: the editor's settings and the library's profile share one place.
    QApplication::setOrganizationName("Tarvo");
    QApplication::setApplicationName("tarvo-editor");
    QApplication::setApplicationDisplayName("Tarvo Editor");
    QApplication::setApplicationVersion(TARVO_VERSION);
    CWinApp winApp;

    std::string strRoot = InstallationRoot(argv[0]);
    std::string strDatFile = strRoot + "/dat/param.dat";
    std::string strScript = options.strScript.empty() ? ExampleScript(strRoot) : options.strScript;
    CScriptLocation script;
    std::string strError;
    if (options.bList)
        return script.Resolve(strScript, strError) ? ListParameters(script, strDatFile, stdout) : Fail(strError, 1);

    CEditorWindow window(strDatFile, CEditorWindow::SavedOptions());
    if (!options.strScreenshot.empty())
    {
        // Nobody is there to answer a message box: it goes to the terminal.
        AfxSetMessageBoxHandler(
            [](const AFX_MESSAGEBOX& box)
            {
                std::fprintf(stderr, "tarvo-editor: %s\n", box.strText.c_str());
                return IDOK;
            });
        if (!script.Resolve(strScript, strError) || !window.OpenScript(script, strError))
            return Fail(strError, 1);
        window.show();
        QApplication::processEvents();
        if (!window.ParameterPane()->grab().save(QString::fromStdString(options.strScreenshot), "PNG"))
            return Fail("cannot write '" + options.strScreenshot + "'", 1);
        return 0;
    }
    // Started from the desktop, the author sees every problem in the window.
    window.show();
    if (strScript.empty())
        window.OpenDialog();
    else
        window.OpenPath(strScript);
    return app.exec();
}
