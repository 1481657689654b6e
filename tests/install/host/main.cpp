// Opens a script's parameter file in the library, embeds its list window in
// a plain Qt window and prints each parameter with its sample.
#include "afx/WinApp.h"
#include "afx/Wnd.h"
#include "manager/TarvoMgr.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: tarvo-host FILE.prm\n");
        return 2;
    }
    QApplication app(argc, argv);
    CWinApp winApp("tarvo-host");
    QWidget host;
    CTarvoMgr mgr(TARVO_ROOT "/dat/param.dat");
    mgr.Create(CWnd::FromHandle(AfxHandleFromWidget(&host)));
    mgr.AddParamFile(argv[1], "host");
    CWnd* pList = mgr.CreateParamListWnd(CWnd::FromHandle(AfxHandleFromWidget(&host)));
    std::vector<PARAM_SAMPLE_ROW> rows;
    if (!pList || !mgr.GetParamNamesAndSamples(&rows) || rows.empty())
        return 1;
    for (const PARAM_SAMPLE_ROW& row : rows)
        std::printf("%s\t%s\n", row[0].c_str(), row[1].c_str());
    delete pList;
    return 0;
}
