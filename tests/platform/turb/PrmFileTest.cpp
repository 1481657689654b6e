#include "FileFault.h"
#include "TurbTestSupport.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
const std::vector<std::string> HOSTILE_VALUES = {
    "",
    " leading blank",
    "trailing blank ",
    "\ttab\t",
    "a=b;c[d]e",
    "\"quoted\"",
    "\"",
    "back\\slash\\",
    "\\x41 and \\n stay literal",
    "line\nbreak\r\nand CR\r",
    std::string("nul\0inside", 10),
    "\x01\x1f\x7f controls",
    "non-ASCII \xC3\xBC\xC3\xAF \xE6\x97\xA5\xE6\x9C\xAC",
    "invalid UTF-8 \xFF\xFE\x80",
    "[Section]",
    "; not a comment",
    "# not a comment",
    "=starts with equals",
    "   ",
};

const std::vector<std::string> HOSTILE_KEYS = {
    "key=with=equals", " spaced key ", "[bracket", ";semicolon",
    "#hash",           "\"quote",      "tab\tkey", "\xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87",
    "back\\slash",
};

const std::vector<std::string> HOSTILE_NAMES = {
    "plain", "we]ird", " blank", "\"quoted\"", "multi\nline", "[x]", "\xC3\xA9t\xC3\xA9",
};

// The file of the tests below: three parameters as a hand would write them.
const char SAMPLE[] = "; written by hand\n"
                      "[First]\n"
                      "Type=Custom\n"
                      "CurrentValue=one\n"
                      "\n"
                      "[Second]\n"
                      "Type=Random\n"
                      "MinValue = 5\n"
                      "MaxValue=\"9\"\n"
                      "[Third]\n"
                      "Type=Table\n"
                      "Table=third.dat\n";

// Lets no file grow beyond a size while it lives, so a write fails halfway.
class CFileSizeLimit
{
public:
    explicit CFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_pPreviousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_pPreviousHandler);
    }

private:
    rlimit m_previous{};
    void (*m_pPreviousHandler)(int) = nullptr;
};

std::vector<std::string> SortedEntries(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

class PrmFileTest : public CEngineTest
{
protected:
    void* Load(const std::string& path)
    {
        void* engine = OpenEngine();
        Param_AddParamFile(engine, path.c_str(), 1);
        return engine;
    }
};

TEST_F(PrmFileTest, HostileValuesKeysAndNamesRoundTripExactly)
{
    std::string file = m_dir.File("hostile.prm");
    for (const std::string& name : HOSTILE_NAMES)
    {
        ASSERT_NE(0, Param_NewParam(m_hEngine, name.c_str(), "Custom", file.c_str())) << name;
        for (size_t i = 0; i < HOSTILE_VALUES.size(); ++i)
            ASSERT_EQ(TURB_OK,
                      SetAttrib(m_hEngine, name.c_str(), ("Value" + std::to_string(i)).c_str(), HOSTILE_VALUES[i]));
        for (const std::string& key : HOSTILE_KEYS)
            ASSERT_EQ(TURB_OK, SetAttrib(m_hEngine, name.c_str(), key.c_str(), key + "=" + name));
    }
    ASSERT_EQ(TURB_OK, Param_Save(m_hEngine, nullptr));

    void* loaded = Load(file);
    ASSERT_EQ(HOSTILE_NAMES, ParamNames(loaded));
    for (const std::string& name : HOSTILE_NAMES)
    {
        for (size_t i = 0; i < HOSTILE_VALUES.size(); ++i)
        {
            int status = -1;
            std::string key = "Value" + std::to_string(i);
            EXPECT_EQ(HOSTILE_VALUES[i], GetAttrib(loaded, name.c_str(), key.c_str(), &status)) << name << " " << key;
            EXPECT_EQ(TURB_OK, status);
        }
        for (const std::string& key : HOSTILE_KEYS)
            EXPECT_EQ(key + "=" + name, GetAttrib(loaded, name.c_str(), key.c_str())) << key;
        EXPECT_EQ("Custom", GetAttrib(loaded, name.c_str(), "Type"));
    }

    // Saving what was loaded gives the same bytes again.
    std::string again = m_dir.File("again.prm");
    ASSERT_EQ(TURB_OK, Param_Save(loaded, again.c_str()));
    EXPECT_EQ(ReadFileBytes(file), ReadFileBytes(again));
}

TEST_F(PrmFileTest, ParametersKeepTheirOrderAndNewOnesGoLast)
{
    std::string file = m_dir.Write("order.prm", SAMPLE);
    void* engine = Load(file);
    ASSERT_EQ((std::vector<std::string>{"First", "Second", "Third"}), ParamNames(engine));
    EXPECT_EQ("5", GetAttrib(engine, "Second", "MinValue"));
    EXPECT_EQ("9", GetAttrib(engine, "Second", "MaxValue"));

    Param_DeleteParam(engine, "Second");
    ASSERT_NE(0, Param_NewParam(engine, "Fourth", "Custom", nullptr));
    ASSERT_NE(0, Param_NewParam(engine, "Second", "Custom", nullptr));
    ASSERT_EQ(TURB_OK, Param_Save(engine, nullptr));
    EXPECT_EQ((std::vector<std::string>{"First", "Third", "Fourth", "Second"}), ParamNames(Load(file)));
}

// A rename creates the new name, copies every attribute over and deletes the
// old name; the file then differs in the section's name alone.
TEST_F(PrmFileTest, ARenamedParameterKeepsItsPlaceAndItsSection)
{
    const std::string text =
        std::string(SAMPLE).replace(std::string(SAMPLE).find("Type=Random\n"), 12, "Type=Random\n; kept\nExtra=x\n");
    struct CASE
    {
        const char* label;
        const char* typeOfNew;
        const char* valueOfNew; // the new parameter's MinValue after the copy
        std::vector<std::string> order;
    } cases[] = {
        {"a full copy takes the place", "Random", "5", {"First", "Renamed", "Third"}},
        {"another type is a new parameter", "Custom", "5", {"First", "Third", "Renamed"}},
        {"other values are a new parameter", "Random", "6", {"First", "Third", "Renamed"}},
    };
    for (const CASE& c : cases)
    {
        std::string file = m_dir.Write("rename.prm", text);
        void* engine = Load(file);
        ASSERT_NE(0, Param_NewParam(engine, "Renamed", c.typeOfNew, nullptr)) << c.label;
        for (const std::string& key : KeyList(engine, "Random"))
            if (key != "ParamName" && key != "Type")
                SetAttrib(engine, "Renamed", key.c_str(), GetAttrib(engine, "Second", key.c_str()));
        SetAttrib(engine, "Renamed", "MinValue", c.valueOfNew);
        ASSERT_EQ(TURB_OK, Param_DeleteParam(engine, "Second"));
        ASSERT_EQ(TURB_OK, Param_Save(engine, nullptr));
        EXPECT_EQ(c.order, ParamNames(Load(file))) << c.label;
        if (c.order[1] == "Renamed")
        {
            std::string expected = text;
            expected.replace(expected.find("[Second]"), 8, "[Renamed]");
            void* original = Load(m_dir.Write("original.prm", expected));
            ASSERT_EQ(TURB_OK, Param_Save(original, nullptr));
            EXPECT_EQ(ReadFileBytes(m_dir.File("original.prm")), ReadFileBytes(file))
                << "the section keeps its attributes, order and kept lines";
            EXPECT_EQ("x", GetAttrib(engine, "Renamed", "Extra"));
        }
    }
}

// A type change deletes the parameter and creates it again at once under the
// same name: it keeps its place. Anything in between makes it a new one.
TEST_F(PrmFileTest, AParameterCreatedAgainAtOnceKeepsItsPlace)
{
    const struct
    {
        const char* label;
        std::vector<const char*> between; // parameters created in between
        std::vector<std::string> order;
    } cases[] = {
        {"at once", {}, {"First", "Second", "Third"}},
        {"after another", {"Fourth"}, {"First", "Third", "Fourth", "Second"}},
    };
    for (const auto& c : cases)
    {
        void* engine = Load(m_dir.Write("retype.prm", SAMPLE));
        ASSERT_EQ(TURB_OK, Param_DeleteParam(engine, "Second"));
        for (const char* name : c.between)
            ASSERT_NE(0, Param_NewParam(engine, name, "Custom", nullptr));
        ASSERT_NE(0, Param_NewParam(engine, "Second", "Custom", nullptr)) << c.label;
        EXPECT_EQ(c.order, ParamNames(engine)) << c.label;
    }
}

TEST_F(PrmFileTest, ContentNotUnderstoodIsKeptWhenSaving)
{
    std::string file = m_dir.Write("foreign.prm", "; preamble comment\n"
                                                  "Version=3\n"
                                                  "[Alpha]\n"
                                                  "Type=Custom\n"
                                                  "a line without an equals sign\n"
                                                  "CurrentValue=first\n"
                                                  "CurrentValue=second\n"
                                                  "ParamName=Imposter\n"
                                                  "Broken=\"unterminated\n"
                                                  "  ; indented comment\n"
                                                  "[Alpha]\n"
                                                  "Type=Random\n"
                                                  "[Beta]\n"
                                                  "Type=Custom\n");
    void* engine = Load(file);
    ASSERT_EQ((std::vector<std::string>{"Alpha", "Beta"}), ParamNames(engine));
    EXPECT_EQ("first", GetAttrib(engine, "Alpha", "CurrentValue"));
    EXPECT_EQ("Alpha", GetAttrib(engine, "Alpha", "ParamName"));
    EXPECT_EQ("Custom", GetAttrib(engine, "Alpha", "Type"));
    int status = TURB_OK;
    GetAttrib(engine, "Alpha", "Broken", &status);
    EXPECT_NE(TURB_OK, status);
    EXPECT_EQ("Version=3\na line without an equals sign\nCurrentValue=second\nParamName=Imposter\n"
              "Broken=\"unterminated\n[Alpha]\nType=Random\n",
              GetAttrib(engine, nullptr, "KeptContent"))
        << "what is kept, comments left out";
    EXPECT_EQ(TURB_E_READ_ONLY, SetAttrib(engine, nullptr, "KeptContent", ""));
    EXPECT_EQ("", GetAttrib(Load(m_dir.Write("commented.prm", SAMPLE)), nullptr, "KeptContent"));

    SetAttrib(engine, "Alpha", "CurrentValue", "edited");
    ASSERT_EQ(TURB_OK, Param_Save(engine, nullptr));
    std::string saved = ReadFileBytes(file);
    for (const char* kept :
         {"; preamble comment\n", "Version=3\n", "a line without an equals sign\n", "CurrentValue=second\n",
          "ParamName=Imposter\n", "Broken=\"unterminated\n", "  ; indented comment\n", "[Alpha]\nType=Random\n"})
        EXPECT_NE(std::string::npos, saved.find(kept)) << kept;

    void* reloaded = Load(file);
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta"}), ParamNames(reloaded));
    EXPECT_EQ("edited", GetAttrib(reloaded, "Alpha", "CurrentValue"));
    ASSERT_EQ(TURB_OK, Param_Save(reloaded, nullptr));
    EXPECT_EQ(saved, ReadFileBytes(file));
}

TEST_F(PrmFileTest, SaveWritesTheLoadedFileOrTheGivenOneWhichThenBecomesTheFile)
{
    std::string file = m_dir.Write("a.prm", SAMPLE);
    void* engine = Load(file);
    SetAttrib(engine, "First", "CurrentValue", "two");
    ASSERT_EQ(TURB_OK, Param_Save(engine, nullptr));
    EXPECT_EQ("two", GetAttrib(Load(file), "First", "CurrentValue"));

    std::string other = m_dir.File("b.prm");
    ASSERT_EQ(TURB_OK, Param_Save(engine, other.c_str()));
    std::string before = ReadFileBytes(file);
    SetAttrib(engine, "First", "CurrentValue", "three");
    ASSERT_EQ(TURB_OK, Param_Save(engine, nullptr));
    EXPECT_EQ(before, ReadFileBytes(file));
    EXPECT_EQ("three", GetAttrib(Load(other), "First", "CurrentValue"));

    void* fresh = OpenEngine();
    EXPECT_NE(TURB_OK, Param_Save(fresh, nullptr)); // no file to write
}

TEST_F(PrmFileTest, FailedSaveLeavesThePreviousFileWhole)
{
    std::string file = m_dir.Write("a.prm", SAMPLE);
    void* engine = Load(file);
    SetAttrib(engine, "First", "CurrentValue", "never written");

    fs::create_directory(m_dir.File("dir.prm"));
    EXPECT_NE(TURB_OK, Param_Save(engine, m_dir.File("dir.prm").c_str()));
    EXPECT_NE(TURB_OK, Param_Save(engine, m_dir.File("missing/a.prm").c_str()));
    SetAttrib(engine, "Third", "OriginalValue", std::string(4000, 'x'));
    {
        CFileSizeLimit limit(1000); // the write breaks off after 1000 bytes
        EXPECT_NE(TURB_OK, Param_Save(engine, nullptr));
    }
    EXPECT_EQ(SAMPLE, ReadFileBytes(file));
    EXPECT_EQ((std::vector<std::string>{"a.prm", "dir.prm"}), SortedEntries(m_dir.Path()));

    // The file is still the instance's file after the failures.
    ASSERT_EQ(TURB_OK, Param_Save(engine, nullptr));
    EXPECT_EQ("never written", GetAttrib(Load(file), "First", "CurrentValue"));
}

TEST_F(PrmFileTest, MissingFileLoadsNothingButBecomesTheFileToSave)
{
    std::string file = m_dir.File("new.prm");
    EXPECT_NE(TURB_OK, Param_AddParamFile(m_hEngine, file.c_str(), 1));
    EXPECT_TRUE(ParamNames(m_hEngine).empty());
    ASSERT_NE(0, Param_NewParam(m_hEngine, "P", "Custom", nullptr));
    ASSERT_EQ(TURB_OK, Param_Save(m_hEngine, nullptr));
    EXPECT_EQ(std::vector<std::string>{"P"}, ParamNames(Load(file)));
}

TEST_F(PrmFileTest, AFileThatCouldNotBeReadIsNeverSavedOver)
{
    const std::string content = "[Kept]\nType=Custom\nOriginalValue=precious\n";
    std::string file = m_dir.Write("locked.prm", content);
    fs::permissions(file, fs::perms::none);
    // Root reads any file: read as an ordinary user for the load.
    bool bRoot = geteuid() == 0;
    ASSERT_TRUE(!bRoot || seteuid(65534) == 0);
    int loaded = Param_AddParamFile(m_hEngine, file.c_str(), 1);
    ASSERT_TRUE(!bRoot || seteuid(0) == 0);
    ASSERT_EQ(TURB_E_IO, loaded);

    ASSERT_NE(0, Param_NewParam(m_hEngine, "P", "Custom", nullptr));
    EXPECT_NE(TURB_OK, Param_Save(m_hEngine, nullptr)) << "saving would replace a file nobody has seen";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(content, ReadFileBytes(file));

    std::string copy = m_dir.File("copy.prm");
    EXPECT_EQ(TURB_OK, Param_Save(m_hEngine, copy.c_str())) << "another file is fine";
    EXPECT_EQ(TURB_OK, Param_Save(m_hEngine, nullptr)) << "and then it is the file";
    EXPECT_EQ(content, ReadFileBytes(file));
}

TEST_F(PrmFileTest, EmptyAndCrLfFiles)
{
    EXPECT_EQ(TURB_OK, Param_AddParamFile(m_hEngine, m_dir.Write("empty.prm", "").c_str(), 1));
    EXPECT_TRUE(ParamNames(m_hEngine).empty());

    std::string crlf = SAMPLE;
    for (size_t pos = crlf.find('\n'); pos != std::string::npos; pos = crlf.find('\n', pos + 2))
        crlf.insert(pos, "\r");
    void* engine = Load(m_dir.Write("crlf.prm", crlf));
    EXPECT_EQ((std::vector<std::string>{"First", "Second", "Third"}), ParamNames(engine));
    EXPECT_EQ("one", GetAttrib(engine, "First", "CurrentValue"));
    EXPECT_EQ("third.dat", GetAttrib(engine, "Third", "Table"));
}

TEST_F(PrmFileTest, TruncatedFilesLoadWhatTheyHold)
{
    std::string file = m_dir.File("full.prm");
    std::vector<std::string> names;
    for (int i = 0; i < 6; ++i)
    {
        std::string name = "P" + std::to_string(i);
        names.push_back(name);
        ASSERT_NE(0, Param_NewParam(m_hEngine, name.c_str(), "Custom", file.c_str()));
        SetAttrib(m_hEngine, name.c_str(), "CurrentValue", "value \"" + name + "\"\n");
    }
    ASSERT_EQ(TURB_OK, Param_Save(m_hEngine, nullptr));
    std::string full = ReadFileBytes(file);

    for (size_t cut = 0; cut <= full.size(); ++cut)
    {
        void* engine = Load(m_dir.Write("cut.prm", full.substr(0, cut)));
        std::vector<std::string> loaded = ParamNames(engine);
        ASSERT_LE(loaded.size(), names.size()) << cut;
        for (size_t i = 0; i < loaded.size(); ++i)
        {
            // Every section before the cut is whole; the one it cut may lack its value.
            ASSERT_EQ(names[i], loaded[i]) << cut;
            int status = TURB_OK;
            std::string value = GetAttrib(engine, loaded[i].c_str(), "CurrentValue", &status);
            if (i + 1 < loaded.size())
            {
                EXPECT_EQ("value \"" + names[i] + "\"\n", value) << cut;
            }
            else if (status == TURB_OK)
            {
                EXPECT_TRUE(value.empty() || value == "value \"" + names[i] + "\"\n") << cut;
            }
        }
        Param_ClearParamList(engine);
    }
}

TEST_F(PrmFileTest, GarbageLoadsWithoutHarmAndSavesStably)
{
    std::mt19937 random(20240601);
    const std::string alphabet = "[]=\";#\\\n\r\t xAb0\x80\xFF";
    for (int round = 0; round < 80; ++round)
    {
        std::string garbage;
        size_t length = random() % 400;
        for (size_t i = 0; i < length; ++i)
            garbage += round % 2 ? static_cast<char>(random()) : alphabet[random() % (alphabet.size() + 1)];
        std::string file = m_dir.Write("garbage.prm", garbage);
        void* engine = OpenEngine();
        Param_AddParamFile(engine, file.c_str(), 1);
        std::vector<std::string> names = ParamNames(engine);

        ASSERT_EQ(TURB_OK, Param_Save(engine, nullptr)) << round;
        std::string first = ReadFileBytes(file);
        void* reloaded = OpenEngine();
        Param_AddParamFile(reloaded, file.c_str(), 1);
        ASSERT_EQ(names, ParamNames(reloaded)) << round;
        ASSERT_EQ(TURB_OK, Param_Save(reloaded, nullptr));
        ASSERT_EQ(first, ReadFileBytes(file)) << round;
    }
}

TEST_F(PrmFileTest, LoadingASecondFileAddsItsParameters)
{
    void* engine = Load(m_dir.Write("a.prm", SAMPLE));
    ASSERT_EQ(TURB_OK, Param_AddParamFile(engine,
                                          m_dir
                                              .Write("b.prm", "[Second]\nType=Custom\n"
                                                              "[Extra]\nType=Custom\n")
                                              .c_str(),
                                          1));
    EXPECT_EQ((std::vector<std::string>{"First", "Second", "Third", "Extra"}), ParamNames(engine));
    EXPECT_EQ("Random", GetAttrib(engine, "Second", "Type"));
}

TEST_F(PrmFileTest, EveryFailingStepOfASaveKeepsTheFileByteForByteAndLeavesNothing)
{
    for (const FILE_FAULT_STEP& step : FileFaultSteps())
    {
        SCOPED_TRACE(step.pszName);
        std::string file = m_dir.Write("a.prm", SAMPLE);
        void* engine = Load(file);
        SetAttrib(engine, "First", "CurrentValue", "changed");
        auto before = DirectoryNames(m_dir.Path());
        {
            CFileFault fault(step.nStep);
            EXPECT_EQ(TURB_E_IO, Param_Save(engine, nullptr));
            EXPECT_GT(fault.Hits(), 0);
        }
        EXPECT_EQ(SAMPLE, ReadFileBytes(file));
        EXPECT_EQ(before, DirectoryNames(m_dir.Path()));
        // The change is still there to be saved once the disk allows it.
        ASSERT_EQ(TURB_OK, Param_Save(engine, nullptr));
        EXPECT_EQ("changed", GetAttrib(Load(file), "First", "CurrentValue"));
    }
}
