// Times the data table editor opening a large data file with "MaxVisibleLines"
// raised to 10,000,000, so that every row is in the grid: the load (the
// writability check, the open, the counts) and the first screen painted,
// beside wc -l on the same file, and prints the ratio. Also times a jump from
// the first row to the last with the screen painted, and reports how much
// the process grew for the open file.
//
//   bench_dataeditor [benchmark flags]     (runs offscreen)

#include "BenchSupport.h"
#include "afx/PrivateProfile.h"
#include "dataeditor/TableDlg.h"
#include "manager/TarvoMgr.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QStandardPaths>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace
{
const size_t kFileBytes = size_t(100) << 20;
const int kMaxVisibleLines = 10000000;

void Write(const std::string& strPath, const std::string& strText)
{
    std::ofstream(strPath, std::ios::binary) << strText;
}

// Paints the grid as the screen would show it. An offscreen window is never
// exposed, so a repaint there would paint nothing.
void Paint(CGridCtrl& grid)
{
    grid.GetWidget()->grab();
}

// A script whose one File parameter reads the generated file, and the
// editor on a shown window.
class CEditorScene
{
public:
    explicit CEditorScene(const std::string& strDir)
    {
        m_strDataFile = strDir + "/data.dat";
        GenerateBenchData(m_strDataFile, kFileBytes, false);
        std::string strTypes = strDir + "/param.dat";
        Write(strTypes, "[ParameterTypes]\nTable=TypeTable\n\n[TypeTable]\nTypeName=File\nDisplayUI=FileTab\n\n"
                        "[EngineTypes]\nTable=OriginalValue,Table,ColumnName,Delimiter\n");
        std::string strPrm = strDir + "/script.prm";
        Write(strPrm, "[Data]\nType=Table\nTable=data.dat\nOriginalValue=1\n");
        std::string strIni = strDir + "/mirrel.ini";
        WritePrivateProfileStringA("ParamTable", "MaxVisibleLines", std::to_string(kMaxVisibleLines).c_str(),
                                   strIni.c_str());
        m_pMgr = std::make_unique<CTarvoMgr>(strTypes.c_str());
        m_pMgr->AddParamFile(strPrm.c_str(), "script");
        m_host.Create(nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 820, 620), nullptr, 0);
        m_pDlg = std::make_unique<CTableDlg>(m_pMgr.get(), strIni, &m_host);
        m_pDlg->Create(&m_host);
        m_pDlg->ShowWindow(SW_SHOW);
        m_pDlg->MoveWindow(0, 0, 800, 600);
        Paint(m_pDlg->GetGrid());
        m_nCreatedKiB = ProcessKiB("VmRSS:");
    }
    ~CEditorScene()
    {
        m_pDlg->DestroyWindow();
        m_host.DestroyWindow();
    }

    // Load, counts, and the first screen painted; the rows the grid holds.
    int Open()
    {
        if (m_pDlg->LoadFile(m_strDataFile, 1, ",") != 1)
            return -1;
        Paint(m_pDlg->GetGrid());
        return m_pDlg->GetGrid().GetRowCount();
    }
    int LineCount() const { return m_pDlg->GetFileLineCount(); }
    // To the first row and back to the last, each with the screen painted.
    void ScrollTopToBottom()
    {
        CGridCtrl& grid = m_pDlg->GetGrid();
        auto* pView = dynamic_cast<QAbstractScrollArea*>(grid.GetWidget());
        grid.EnsureVisible(0, 0);
        Paint(grid);
        grid.EnsureVisible(0, grid.GetRowCount() - 1);
        Paint(grid);
        if (!pView->isVisible() || pView->verticalScrollBar()->value() != pView->verticalScrollBar()->maximum())
            std::fprintf(stderr, "the grid is not on show or did not reach its last row\n");
    }
    const std::string& DataFile() const { return m_strDataFile; }
    // The process's size with the editor on show and no file open.
    long CreatedKiB() const { return m_nCreatedKiB; }

private:
    std::string m_strDataFile;
    std::unique_ptr<CTarvoMgr> m_pMgr;
    CWnd m_host;
    std::unique_ptr<CTableDlg> m_pDlg;
    long m_nCreatedKiB = 0;
};

void PrintRatio(const CSummaryReporter& reporter)
{
    double nOpen = reporter.Millis("editor open 100MiB");
    double nWc = reporter.Millis("wc -l 100MiB");
    if (nOpen > 0 && nWc > 0)
        printf("\neditor open %.1f ms, wc -l %.1f ms, editor / wc -l %.2f\n", nOpen, nWc, nOpen / nWc);
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::string strDir = (std::filesystem::temp_directory_path() / "dataeditor-bench-XXXXXX").string();
    if (!mkdtemp(strDir.data()))
        return 1;
    {
        CEditorScene scene(strDir);
        benchmark::RegisterBenchmark("editor open 100MiB",
                                     [&scene](benchmark::State& state)
                                     {
                                         int nRows = 0;
                                         for (auto _ : state)
                                             if ((nRows = scene.Open()) < 0)
                                                 state.SkipWithError("load failed");
                                         state.counters["grid rows"] = nRows;
                                         state.counters["growth MiB"] =
                                             (ProcessKiB("VmRSS:") - scene.CreatedKiB()) / 1024.0;
                                         state.counters["line count"] = scene.LineCount();
                                     })
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("first row to last and back",
                                     [&scene](benchmark::State& state)
                                     {
                                         if (scene.Open() < 0)
                                             state.SkipWithError("load failed");
                                         for (auto _ : state)
                                             scene.ScrollTopToBottom();
                                     })
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
        std::string strPath = scene.DataFile();
        benchmark::RegisterBenchmark("wc -l 100MiB",
                                     [strPath](benchmark::State& state)
                                     {
                                         for (auto _ : state)
                                             if (!RunProgram({"wc", "-l", strPath}))
                                                 state.SkipWithError("wc failed");
                                     })
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
        CSummaryReporter reporter(PrintRatio);
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::Shutdown();
    }
    std::filesystem::remove_all(strDir);
    return 0;
}
