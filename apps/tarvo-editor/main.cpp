#include "DataCheck.h"
#include "EditorWindow.h"
#include "ParamListing.h"
#include "ParamSimulation.h"
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
const char* const kUsage =
    "Usage: tarvo-editor [SCRIPT]\n"
    "       tarvo-editor --list SCRIPT\n"
    "       tarvo-editor --simulate NAME [--vusers N] [--iterations M] [--seed S] [--json] SCRIPT\n"
    "       tarvo-editor --check [--vusers N] [--iterations M] [--json] SCRIPT\n"
    "       tarvo-editor --screenshot FILE [SCRIPT]\n"
    "Edit the parameters of a load-test script.\n"
    "\n"
    "SCRIPT is the script's .usr file, its directory or its .prm file; without it\n"
    "the bundled example opens.\n"
    "\n"
    "  --list SCRIPT      print each parameter: name, type, sample, delimiter (tab-separated)\n"
    "  --simulate NAME    print the value each simulated Vuser receives per iteration:\n"
    "                     a tab-separated table with a header row, \"-\" for no value\n"
    "                     (tabs, line breaks and backslashes in values as \\t, \\n, \\\\)\n"
    "  --check            report what would go wrong in a run, per parameter; exit 0\n"
    "                     when nothing, 1 when something, 2 when the script cannot be read\n"
    "  --vusers N         Vusers (1 to 256; default: the script's simulation settings)\n"
    "  --iterations M     iterations each Vuser runs (1 to 256; default as --vusers)\n"
    "  --seed S           draw random rows from S instead of the clock\n"
    "  --json             print JSON instead of text\n"
    "  --screenshot FILE  render the editor to a PNG file and exit\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n";

struct OPTIONS
{
    std::string strScript;
    std::string strScreenshot;
    bool bList = false;
    bool bSimulate = false;
    bool bCheck = false;
    SIMULATE_OPTIONS simulate;
    bool bHelp = false;
    bool bVersion = false;
    std::string strError;
};

// A count or seed argument: digits only, within the limit.
bool ParseNumber(const char* pszText, long long nMax, long long& nValue)
{
    std::string strText = pszText ? pszText : "";
    if (strText.empty() || strText.size() > 12 || strText.find_first_not_of("0123456789") != std::string::npos)
        return false;
    nValue = std::stoll(strText);
    return nValue <= nMax;
}

// Reads the value of an option that takes one; false with the error set.
bool OptionValue(int argc, char** argv, int& i, OPTIONS& options, long long nMax, long long& nValue)
{
    std::string strName = argv[i];
    if (i + 1 >= argc)
        options.strError = "option '" + strName + "' needs a value";
    else if (!ParseNumber(argv[++i], nMax, nValue))
        options.strError = "option '" + strName + "' needs a whole number, not '" + argv[i] + "'";
    return options.strError.empty();
}

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
        else if (arg == "--check")
            options.bCheck = true;
        else if (arg == "--json")
            options.simulate.bJson = true;
        else if (arg == "--simulate")
        {
            options.bSimulate = true;
            if (i + 1 < argc)
                options.simulate.strParam = argv[++i];
            else
                options.strError = "option '--simulate' needs a parameter name";
        }
        else if (arg == "--vusers" || arg == "--iterations" || arg == "--seed")
        {
            long long nValue = 0;
            if (!OptionValue(argc, argv, i, options, arg == "--seed" ? 4294967295LL : 1000000, nValue))
                break;
            if (arg == "--seed")
            {
                options.simulate.bSeed = true;
                options.simulate.nSeed = static_cast<unsigned int>(nValue);
            }
            else
                (arg == "--vusers" ? options.simulate.nVusers : options.simulate.nIterations) =
                    nValue ? static_cast<int>(nValue) : -1;
        }
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
    if (options.strError.empty())
    {
        if (options.bList + options.bSimulate + options.bCheck > 1)
            options.strError = "options '--list', '--simulate' and '--check' exclude each other";
        else if ((options.bList || options.bSimulate || options.bCheck) && options.strScript.empty())
            options.strError = std::string("option '") +
                               (options.bList       ? "--list"
                                : options.bSimulate ? "--simulate"
                                                    : "--check") +
                               "' needs a script";
    }
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
    bool bBatch = options.bList || options.bSimulate || options.bCheck;
    if ((bBatch || !options.strScreenshot.empty()) && qEnvironmentVariableIsEmpty("DISPLAY") &&
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
    if (options.bSimulate)
        return script.Resolve(strScript, strError) ? SimulateParameter(script, strDatFile, options.simulate, stdout)
                                                   : Fail(strError, 1);
    if (options.bCheck)
    {
        CHECK_OPTIONS check{options.simulate.nVusers, options.simulate.nIterations, options.simulate.bJson};
        return script.Resolve(strScript, strError) ? CheckScript(script, strDatFile, check, stdout) : Fail(strError, 2);
    }

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
