#include "ManagerFixture.h"

#include "afx/WinMessageEvent.h"
#include "afx/Wnd.h"

#include <QWidget>
#include <array>
#include <memory>

namespace
{
// A host window written in plain Qt: it copies every notification it gets.
class CHostWindow : public QWidget
{
public:
    struct SNote
    {
        INT_PTR nKind = 0;
        std::array<std::string, 8> arrFields; // "<null>" for a null field
    };

    bool event(QEvent* pEvent) override
    {
        if (pEvent->type() != CWinMessageEvent::EventType())
            return QWidget::event(pEvent);
        auto* pMessage = static_cast<CWinMessageEvent*>(pEvent);
        if (pMessage->m_nMessage == RegisterWindowMessageA("CoTarvoMgrNotifyMsg"))
        {
            SNote note;
            note.nKind = static_cast<INT_PTR>(pMessage->m_wParam);
            auto* pFields = reinterpret_cast<const char* const*>(pMessage->m_lParam);
            for (size_t i = 0; i < note.arrFields.size(); ++i)
                note.arrFields[i] = pFields[i] ? pFields[i] : "<null>";
            m_arrNotes.push_back(note);
            if (m_fnOnNote)
                m_fnOnNote();
        }
        return true;
    }

    std::vector<SNote> m_arrNotes;
    std::function<void()> m_fnOnNote;
};

std::array<std::string, 8> Fields(std::map<int, std::string> set)
{
    std::array<std::string, 8> fields;
    fields.fill("<null>");
    for (const auto& entry : set)
        fields[static_cast<size_t>(entry.first)] = entry.second;
    return fields;
}
} // namespace

TEST_F(ManagerTest, BroadcastsGoInRegistrationOrderAndSkipTheSender)
{
    CTestMgr mgr(m_strTypes.c_str());
    std::vector<std::string> order;
    CRecordingExt a(&mgr), b(&mgr), c(&mgr);
    a.m_fnOnHear = [&](unsigned) { order.push_back("a"); };
    b.m_fnOnHear = [&](unsigned) { order.push_back("b"); };
    c.m_fnOnHear = [&](unsigned) { order.push_back("c"); };

    EXPECT_EQ(b.UpdateAllUIExt(UPD_TYPE_CHANGED, "Random"), 1);
    EXPECT_EQ(order, (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(a.m_arrSenders[0], &b);
    EXPECT_EQ(a.m_arrHeard[0].strData, "Random");

    order.clear();
    EXPECT_EQ(mgr.UpdateAllUIExt(nullptr, UPD_COMMIT, nullptr), 1);
    EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(ManagerTest, TheFirstRefusalEndsTheBroadcast)
{
    CTestMgr mgr(m_strTypes.c_str());
    CRecordingExt a(&mgr), refuses(&mgr, 0), c(&mgr);
    EXPECT_EQ(mgr.UpdateAllUIExt(nullptr, UPD_BEFORE_ACTIVE_CHANGE, "Amount"), 0);
    EXPECT_EQ(a.m_arrHeard.size(), 1u);
    EXPECT_EQ(refuses.m_arrHeard.size(), 1u);
    EXPECT_TRUE(c.m_arrHeard.empty());
}

TEST_F(ManagerTest, ExtensionsLeavingDuringABroadcastCostNobodyTheMessage)
{
    CTestMgr mgr(m_strTypes.c_str());
    auto* a = new CRecordingExt(&mgr);
    CRecordingExt b(&mgr), c(&mgr);
    auto* d = new CRecordingExt(&mgr);
    b.m_fnOnHear = [&](unsigned)
    {
        delete a; // before the walk's position
        a = nullptr;
    };
    c.m_fnOnHear = [&](unsigned)
    {
        delete d; // after it
        d = nullptr;
    };
    CRecordingExt e(&mgr);

    EXPECT_EQ(mgr.UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr), 1);
    EXPECT_EQ(c.m_arrHeard.size(), 1u) << "removing an earlier extension must not skip the next one";
    EXPECT_EQ(e.m_arrHeard.size(), 1u);

    b.m_fnOnHear = nullptr;
    c.m_fnOnHear = nullptr;
    EXPECT_EQ(mgr.UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr), 1);
    EXPECT_EQ(b.m_arrHeard.size(), 2u);
    EXPECT_EQ(e.m_arrHeard.size(), 2u);
}

TEST_F(ManagerTest, ExtensionsJoiningDuringABroadcastHearItAndNestedBroadcastsWork)
{
    CTestMgr mgr(m_strTypes.c_str());
    auto* a = new CRecordingExt(&mgr);
    CRecordingExt b(&mgr), c(&mgr);
    std::unique_ptr<CRecordingExt> joined;
    b.m_fnOnHear = [&](unsigned nCode)
    {
        if (nCode == UPD_ACTIVE_CHANGED)
            b.UpdateAllUIExt(UPD_TYPE_CHANGED, "Custom");
    };
    c.m_fnOnHear = [&](unsigned nCode)
    {
        if (nCode != UPD_TYPE_CHANGED)
            return;
        delete a; // inside the nested walk
        a = nullptr;
        joined = std::make_unique<CRecordingExt>(&mgr);
    };

    EXPECT_EQ(mgr.UpdateAllUIExt(nullptr, UPD_ACTIVE_CHANGED, "City"), 1);
    EXPECT_EQ(b.Codes(), std::vector<unsigned>{UPD_ACTIVE_CHANGED});
    EXPECT_EQ(c.Codes(), (std::vector<unsigned>{UPD_TYPE_CHANGED, UPD_ACTIVE_CHANGED}));
    ASSERT_TRUE(joined);
    EXPECT_EQ(joined->Codes(), (std::vector<unsigned>{UPD_TYPE_CHANGED, UPD_ACTIVE_CHANGED}))
        << "a joiner hears the rest of both walks";
}

TEST_F(ManagerTest, CopiesAreNotRegistered)
{
    CTestMgr mgr(m_strTypes.c_str()), other(m_strTypes.c_str());
    CRecordingExt original(&mgr);
    {
        CRecordingExt copy(original);
        EXPECT_EQ(copy.GetTarvoManager(), &mgr);
        mgr.UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr);
        EXPECT_EQ(copy.m_arrHeard.size(), 0u);
    }
    EXPECT_EQ(original.m_arrHeard.size(), 1u);
    mgr.UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr);
    EXPECT_EQ(original.m_arrHeard.size(), 2u) << "the copy's end left the original registered";

    {
        CRecordingExt assigned(&mgr);
        CRecordingExt foreign(&other);
        assigned = foreign;
        EXPECT_EQ(assigned.GetTarvoManager(), &other);
        size_t nHeard = assigned.m_arrHeard.size();
        mgr.UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr);
        other.UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr);
        EXPECT_EQ(assigned.m_arrHeard.size(), nHeard) << "an assigned extension is registered nowhere";
    }
    EXPECT_EQ(mgr.UpdateAllUIExt(nullptr, UPD_RELOAD, nullptr), 1);
    EXPECT_EQ(original.m_arrHeard.size(), 4u);
}

TEST_F(ManagerTest, APlainQtHostReceivesAdditionsRenamesAndDeletions)
{
    auto mgr = LoadedManager();
    CHostWindow host;
    ASSERT_TRUE(mgr->RegisterNotifyWindow(AfxHandleFromWidget(&host)));

    ASSERT_TRUE(mgr->CreateNewParameter("Added", "File", "v"));
    ASSERT_TRUE(mgr->RenameActiveParam("Renamed"));
    ASSERT_TRUE(mgr->DeleteParameter("Renamed", 0, 0));
    ASSERT_TRUE(mgr->DeleteParameter("Amount", 0, 1));

    ASSERT_EQ(host.m_arrNotes.size(), 3u) << "no code 3, no deletion that was not to be told";
    EXPECT_EQ(host.m_arrNotes[0].nKind, NOTIFY_ADDED);
    EXPECT_EQ(host.m_arrNotes[0].arrFields, Fields({{0, "Added"}}));
    EXPECT_EQ(host.m_arrNotes[1].nKind, NOTIFY_RENAMED);
    EXPECT_EQ(host.m_arrNotes[1].arrFields, Fields({{0, "Added"}, {4, "Renamed"}}));
    EXPECT_EQ(host.m_arrNotes[2].nKind, NOTIFY_DELETED);
    EXPECT_EQ(host.m_arrNotes[2].arrFields, Fields({{0, "Amount"}, {2, "42"}}));
}

TEST_F(ManagerTest, OneNotifyWindowAndUnregisteringDropsEveryExtension)
{
    auto mgr = LoadedManager();
    CHostWindow host, intruder;
    CRecordingExt list(mgr.get());
    HWND hHost = AfxHandleFromWidget(&host);
    ASSERT_TRUE(mgr->RegisterNotifyWindow(hHost));
    EXPECT_FALSE(mgr->RegisterNotifyWindow(AfxHandleFromWidget(&intruder)));
    EXPECT_FALSE(mgr->UnRegisterNotifyWindow(AfxHandleFromWidget(&intruder)));

    ASSERT_TRUE(mgr->CreateNewParameter("First", "File", ""));
    EXPECT_EQ(host.m_arrNotes.size(), 1u);
    EXPECT_TRUE(intruder.m_arrNotes.empty());

    ASSERT_TRUE(mgr->UnRegisterNotifyWindow(hHost));
    EXPECT_FALSE(mgr->UnRegisterNotifyWindow(hHost));
    size_t nHeard = list.m_arrHeard.size();
    ASSERT_TRUE(mgr->CreateNewParameter("Second", "File", ""));
    EXPECT_EQ(host.m_arrNotes.size(), 1u);
    EXPECT_EQ(list.m_arrHeard.size(), nHeard) << "the list window no longer follows";
    EXPECT_TRUE(mgr->RegisterNotifyWindow(AfxHandleFromWidget(&intruder)));
}

TEST_F(ManagerTest, AGoneHostWindowIsSkippedAndAHostMayUnregisterWhileNotified)
{
    auto mgr = LoadedManager();
    auto host = std::make_unique<CHostWindow>();
    ASSERT_TRUE(mgr->RegisterNotifyWindow(AfxHandleFromWidget(host.get())));
    host.reset();
    EXPECT_TRUE(mgr->CreateNewParameter("Unheard", "File", ""));

    CTestMgr second(m_strTypes.c_str());
    second.AddParamFile(m_strPrm.c_str(), "script");
    CHostWindow leaving;
    HWND hLeaving = AfxHandleFromWidget(&leaving);
    leaving.m_fnOnNote = [&] { EXPECT_TRUE(second.UnRegisterNotifyWindow(hLeaving)); };
    ASSERT_TRUE(second.RegisterNotifyWindow(hLeaving));
    EXPECT_TRUE(second.CreateNewParameter("Once", "File", ""));
    EXPECT_TRUE(second.RenameActiveParam("Twice"));
    EXPECT_EQ(leaving.m_arrNotes.size(), 1u);
}

TEST_F(ManagerTest, WindowsThatOutliveTheManagerAfterUnregisteringLetItGo)
{
    auto mgr = LoadedManager();
    CHostWindow host;
    auto list = std::make_unique<CRecordingExt>(mgr.get());
    auto copy = std::make_unique<CRecordingExt>(*list);
    ASSERT_TRUE(mgr->RegisterNotifyWindow(AfxHandleFromWidget(&host)));
    ASSERT_TRUE(mgr->UnRegisterNotifyWindow(AfxHandleFromWidget(&host)));

    mgr.reset();
    EXPECT_EQ(list->GetTarvoManager(), nullptr) << "a dropped window must not point at a deleted manager";
    EXPECT_EQ(copy->GetTarvoManager(), nullptr) << "nor must a copy";
    EXPECT_EQ(list->GetTurbine(), nullptr);
    list.reset();
    copy.reset();
}
