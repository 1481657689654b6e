#include "afx/Module.h"
#include "afx/DebugOutput.h"
#include "afx/Resource.h"

#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

namespace
{
typedef int (*ANSWER_FN)();

std::string RealPath(const char* path)
{
    char* real = realpath(path, nullptr);
    std::string result = real ? real : "";
    std::free(real);
    return result;
}

std::string Executable()
{
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path);
    return std::string(path, n > 0 ? static_cast<size_t>(n) : 0);
}

class ModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hPlugin = LoadLibraryA(AFX_TEST_PLUGIN_PATH);
        ASSERT_NE(m_hPlugin, nullptr);
    }
    void TearDown() override
    {
        if (m_hPlugin)
            FreeLibrary(m_hPlugin);
        AfxSetDebugOutputSink(nullptr);
    }

    HMODULE m_hPlugin = nullptr;
};
} // namespace

TEST_F(ModuleTest, ExportsOfALoadedLibraryCanBeCalled)
{
    auto pAnswer = reinterpret_cast<ANSWER_FN>(GetProcAddress(m_hPlugin, "AfxTestPluginAnswer"));
    ASSERT_NE(pAnswer, nullptr);
    EXPECT_EQ(pAnswer(), 42);
    EXPECT_EQ(GetProcAddress(m_hPlugin, "CreateTab"), nullptr);
    EXPECT_EQ(GetProcAddress(m_hPlugin, nullptr), nullptr);
}

TEST_F(ModuleTest, MissingLibraryGivesNullAndSaysWhy)
{
    std::string messages;
    AfxSetDebugOutputSink([&](const std::string& text) { messages += text; });

    EXPECT_EQ(LoadLibraryA("/nonexistent/QzHtmlHelp.so"), nullptr);
    EXPECT_EQ(LoadLibraryA(nullptr), nullptr);

    EXPECT_NE(messages.find("/nonexistent/QzHtmlHelp.so"), std::string::npos) << messages;
}

TEST_F(ModuleTest, HandlesNotFromLoadLibraryAreRefused)
{
    // A resource module's handle is an HMODULE too, but no dlopen handle.
    CResourceModule resources("not a library");
    char buffer[64];

    EXPECT_EQ(GetProcAddress(resources.GetHandle(), "AfxTestPluginAnswer"), nullptr);
    EXPECT_EQ(GetModuleFileNameA(resources.GetHandle(), buffer, sizeof buffer), 0u);
    EXPECT_FALSE(FreeLibrary(resources.GetHandle()));
    EXPECT_EQ(GetProcAddress(nullptr, "AfxTestPluginAnswer"), nullptr);
}

TEST_F(ModuleTest, EveryLoadNeedsItsOwnFree)
{
    HMODULE hAgain = LoadLibraryA(AFX_TEST_PLUGIN_PATH);
    ASSERT_EQ(hAgain, m_hPlugin);

    EXPECT_TRUE(FreeLibrary(hAgain));
    EXPECT_NE(GetProcAddress(m_hPlugin, "AfxTestPluginAnswer"), nullptr);
    EXPECT_TRUE(FreeLibrary(m_hPlugin));
    EXPECT_EQ(GetProcAddress(m_hPlugin, "AfxTestPluginAnswer"), nullptr);
    EXPECT_FALSE(FreeLibrary(m_hPlugin));
    m_hPlugin = nullptr;
}

TEST_F(ModuleTest, ModuleFileNameOfALibraryAndOfTheExecutable)
{
    char buffer[PATH_MAX];

    DWORD n = GetModuleFileNameA(m_hPlugin, buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, n), RealPath(AFX_TEST_PLUGIN_PATH));

    n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, n), Executable());
}

TEST_F(ModuleTest, ModuleFileNameIsCutToTheBuffer)
{
    std::string full = Executable();
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);

    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, 6), 6u);
    EXPECT_EQ(std::string(buffer), full.substr(0, 5));
    EXPECT_EQ(buffer[6], 'x');
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, 0), 0u);
}

TEST_F(ModuleTest, AddressesLeadToTheFileHoldingThem)
{
    void* pAnswer = GetProcAddress(m_hPlugin, "AfxTestPluginAnswer");
    static int s_nLocal = 0;

    EXPECT_EQ(AfxGetModuleFileNameOfAddress(pAnswer), RealPath(AFX_TEST_PLUGIN_PATH));
    EXPECT_EQ(AfxGetModuleFileNameOfAddress(&s_nLocal), Executable());

    std::string library = AfxGetModuleFileNameOfAddress(reinterpret_cast<const void*>(&LoadLibraryA));
    ASSERT_GE(library.size(), 9u);
    EXPECT_EQ(library.front(), '/');
    EXPECT_EQ(library.substr(library.size() - 9), "libafx.so");

    EXPECT_EQ(AfxGetModuleFileNameOfAddress(nullptr), "");
}
