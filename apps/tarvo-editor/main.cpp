#include "resources/TarvoResources.h"

#include "afx/WinApp.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <cstdio>
#include <cstring>
#include <string>

namespace
{
const char* const kUsage =
    "Usage: tarvo-editor [OPTION]...\n"
    "Edit the parameters of a load-test script.\n"
    "\n"
    "  --screenshot FILE  render the main window to a PNG file and exit\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n";

struct OPTIONS
{
    std::string strScreenshot;
    bool bHelp = false;
    bool bVersion = false;
    std::string strError;
};

OPTIONS ParseOptions(int argc, char** argv)
{
    OPTIONS options;
    for (int i = 1; i < argc; ++i)
    {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h")
            options.bHelp = true;
        else if (arg == "--version")
            options.bVersion = true;
        else if (arg == "--screenshot" && i + 1 < argc)
            options.strScreenshot = argv[++i];
        else
            options.strError = "unrecognised argument '" + arg + "'";
    }
    return options;
}

void BuildMainWindow(QMainWindow& window)
{
    window.setWindowTitle("Tarvo");
    auto* placeholder = new QLabel("No script is open.", &window);
    placeholder->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(placeholder);
    window.statusBar()->showMessage(QString::fromStdString(AfxLoadString(10234)));
    window.resize(800, 600);
}
} // namespace

int main(int argc, char** argv)
{
    OPTIONS options = ParseOptions(argc, argv);
    if (!options.strError.empty())
    {
        std::fprintf(stderr, "tarvo-editor: %s\nTry 'tarvo-editor --help' for more information.\n",
                     options.strError.c_str());
        return 2;
    }
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
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tarvo");
    QApplication::setApplicationName("tarvo-editor");
    CWinApp winApp("tarvo-editor");
    QMainWindow window;
    BuildMainWindow(window);
    if (!options.strScreenshot.empty())
    {
        if (!window.grab().save(QString::fromStdString(options.strScreenshot), "PNG"))
        {
            std::fprintf(stderr, "tarvo-editor: cannot write '%s'\n", options.strScreenshot.c_str());
            return 1;
        }
        return 0;
    }
    window.show();
    return app.exec();
}
