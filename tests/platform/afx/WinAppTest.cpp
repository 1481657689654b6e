#include "afx/WinApp.h"

#include <QCoreApplication>
#include <QSettings>
#include <gtest/gtest.h>

namespace
{
const char kOrganisation[] = "TarvoProfileTests";
const char kApplication[] = "profile-test";

class WinAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(AfxGetApp(), nullptr);
        Stored().clear();
        Stored().sync();
    }
    void TearDown() override
    {
        Stored().clear();
        Stored().sync();
    }

    // The profile as QSettings holds it, read independently of CWinApp.
    static QSettings& Stored()
    {
        static QSettings settings(kOrganisation, kApplication);
        settings.sync();
        return settings;
    }
};
} // namespace

TEST_F(WinAppTest, ProfileLivesInTheTestSettingsLocation)
{
    // QStandardPaths test mode keeps the user's real settings untouched.
    EXPECT_NE(Stored().fileName().indexOf("qttest"), -1) << Stored().fileName().toStdString();
}

TEST_F(WinAppTest, WithoutAnApplicationObjectProfileCallsDoNothing)
{
    EXPECT_FALSE(AfxWriteProfileString("ParamDialogDates", "FormatsNum", "3"));
    EXPECT_FALSE(AfxWriteProfileInt("ParamDialogDates", "FormatsNum", 3));
    EXPECT_EQ(AfxGetProfileString("ParamDialogDates", "FormatsNum", "none"), "none");
    EXPECT_EQ(AfxGetProfileString("ParamDialogDates", "FormatsNum"), "");
    EXPECT_EQ(AfxGetProfileInt("ParamDialogDates", "FormatsNum", 7), 7u);

    CWinApp app(kApplication);
    app.SetRegistryKey(kOrganisation);
    EXPECT_EQ(app.GetProfileString("ParamDialogDates", "FormatsNum", "none"), "none");
}

TEST_F(WinAppTest, TheNewestApplicationObjectIsCurrentWhileItLives)
{
    {
        CWinApp outer("outer");
        EXPECT_EQ(AfxGetApp(), &outer);
        EXPECT_STREQ(AfxGetApp()->m_pszAppName, "outer");
        {
            CWinApp inner("inner");
            EXPECT_EQ(AfxGetApp(), &inner);
        }
        EXPECT_EQ(AfxGetApp(), &outer);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST_F(WinAppTest, SectionsAreSettingsGroupsUnderTheRegistryKey)
{
    CWinApp app(kApplication);
    EXPECT_EQ(app.m_pszRegistryKey, nullptr);
    app.SetRegistryKey(kOrganisation);
    EXPECT_STREQ(app.m_pszRegistryKey, kOrganisation);
    EXPECT_STREQ(app.m_pszProfileName, kApplication);

    ASSERT_TRUE(AfxWriteProfileString("LastTablesUsed", "FileName0", "data/a b.dat"));
    ASSERT_TRUE(AfxWriteProfileInt("LastTablesUsed", "FileStartRow0", -2));

    EXPECT_EQ(Stored().value("LastTablesUsed/FileName0").toString(), "data/a b.dat");
    EXPECT_EQ(Stored().value("LastTablesUsed/FileStartRow0").toInt(), -2);
}

TEST_F(WinAppTest, ValuesSurviveTheApplicationObject)
{
    {
        CWinApp app(kApplication);
        app.SetRegistryKey(kOrganisation);
        ASSERT_TRUE(app.WriteProfileString("ParamDialogStringFormats", "Format1", "%05s, wide"));
        ASSERT_TRUE(app.WriteProfileInt("ParamDialogStringFormats", "FormatsNum", 1));
    }
    CWinApp app(kApplication);
    app.SetRegistryKey(kOrganisation);

    EXPECT_EQ(AfxGetProfileString("ParamDialogStringFormats", "Format1"), "%05s, wide");
    EXPECT_EQ(AfxGetProfileInt("ParamDialogStringFormats", "FormatsNum", 0), 1u);
    EXPECT_EQ(static_cast<int>(AfxGetProfileInt("ParamDialogStringFormats", "Missing", -1)), -1);
    // Numbers and text are the same entries seen two ways.
    EXPECT_EQ(AfxGetProfileString("ParamDialogStringFormats", "FormatsNum"), "1");
    EXPECT_EQ(AfxGetProfileInt("ParamDialogStringFormats", "Format1", 9), 9u);
}

TEST_F(WinAppTest, NullValueDeletesTheEntryAndNullEntryTheSection)
{
    CWinApp app(kApplication);
    app.SetRegistryKey(kOrganisation);
    ASSERT_TRUE(app.WriteProfileString("A", "keep", "1"));
    ASSERT_TRUE(app.WriteProfileString("A", "drop", "2"));
    ASSERT_TRUE(app.WriteProfileString("B", "b", "3"));

    ASSERT_TRUE(app.WriteProfileString("A", "drop", nullptr));
    ASSERT_TRUE(app.WriteProfileString("B", nullptr, nullptr));

    EXPECT_EQ(app.GetProfileString("A", "keep"), "1");
    EXPECT_EQ(app.GetProfileString("A", "drop", "gone"), "gone");
    EXPECT_EQ(app.GetProfileString("B", "b", "gone"), "gone");
    EXPECT_FALSE(Stored().contains("A/drop"));
    EXPECT_TRUE(Stored().childGroups().contains("A"));
    EXPECT_FALSE(Stored().childGroups().contains("B"));
}

TEST_F(WinAppTest, WithoutARegistryKeyTheProfileIsTheHostsOwnSettings)
{
    ASSERT_FALSE(QCoreApplication::organizationName().isEmpty());
    {
        CWinApp app;
        ASSERT_TRUE(app.WriteProfileString("ProfileProbe", "Entry", "one place"));
    }
    QSettings host;
    EXPECT_EQ(host.value("ProfileProbe/Entry").toString(), "one place") << host.fileName().toStdString();
    host.remove("ProfileProbe");
}
