#include "TurbTestSupport.h"

#include <fstream>
#include <map>
#include <set>

namespace
{
using CIniFile = std::map<std::string, std::map<std::string, std::string>>;

// Sections and keys of the installed file, as the editor's ini reading sees them.
CIniFile ReadIni(const std::string& path)
{
    CIniFile ini;
    std::ifstream in(path);
    std::string line, section;
    while (std::getline(in, line))
    {
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[')
            section = line.substr(1, line.find(']') - 1);
        else if (line.find('=') != std::string::npos)
            ini[section][line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
    return ini;
}

struct SExpectedType
{
    const char* type;
    const char* displayName;
    const char* tab; // "" for the fallback tabs
    const char* hidden;
    std::vector<const char*> attributes; // what the library reads or writes
};

const std::vector<const char*> POLICY = {"SelectNextRow", "GenerateNewVal", "OutOfRangePolicy",
                                         "auto_allocate_block_size", "value_for_each_vuser"};
const std::vector<const char*> SIMULATION = {"InSimMode", "SimScriptPath", "SimAllocatedRange", "SimParamNotValid"};

std::vector<const char*> Join(std::vector<const char*> a, const std::vector<const char*>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<SExpectedType>& ExpectedTypes()
{
    static const std::vector<SExpectedType> types = {
        {"Table", "File", "FileTab", "False",
         Join(Join({"TableLocation", "Table", "ColumnName", "StartRow", "Delimiter"}, POLICY), SIMULATION)},
        {"TTable", "Table", "TableTab", "False",
         Join(Join({"TableLocation", "Table", "ColumnName", "StartRow", "Delimiter", "RowsInInstance", "ColumnsListUI",
                    "ColumnIndexesList", "RowDelimiter", "NotEnoughRowsPolicy"},
                   POLICY),
              SIMULATION)},
        {"Random", nullptr, "RandomTab", "False", {"Format", "MinValue", "MaxValue", "GenerateNewVal"}},
        {"Unique",
         nullptr,
         "UniqueTab",
         "False",
         {"Format", "StartValue", "BlockSize", "GenerateNewVal", "OutOfRangePolicy"}},
        {"Time", nullptr, "TimeTab", "False", {"Format", "GenerateNewVal", "OffsetUI", "Offset", "WorkingDaysOn"}},
        {"Userid", nullptr, "VuserIDTab", "False", {"Format"}},
        {"Host", nullptr, "HostTab", "False", {"Format"}},
        {"Group", nullptr, "GroupNameTab", "False", {"Format"}},
        {"CurrentIteration", nullptr, "IterationTab", "False", {"Format"}},
        {"UserDefinedFunction",
         nullptr,
         "UserDefinedFunctionTab",
         "False",
         {"FunctionName", "NTLibraryName", "SOLibraryName", "VXLibraryName", "AXLibraryName", "GenerateNewVal"}},
        {"Custom", nullptr, "CustomTab", "False", {"CurrentValue", "Prompt", "IsServer", "IsEncrypt"}},
        {"XML", nullptr, "", "True", {"Format", "Table", "TableLocation", "SelectNextRow"}},
        {"Spreadsheet", nullptr, "", "False", {"Format", "Table", "TableLocation"}},
    };
    return types;
}
} // namespace

TEST(TypeDefinitionTest, EveryTypeHasItsSectionForTheEditor)
{
    CIniFile ini = ReadIni(InstalledTypeFile());
    std::set<std::string> displayNames;
    for (const SExpectedType& expected : ExpectedTypes())
    {
        const std::string section = ini["ParameterTypes"][expected.type];
        ASSERT_FALSE(section.empty()) << expected.type;
        ASSERT_TRUE(ini.count(section)) << section;
        const auto& keys = ini[section];
        std::string name = keys.count("TypeName") ? keys.at("TypeName") : "";
        EXPECT_FALSE(name.empty()) << expected.type;
        if (expected.displayName)
        {
            EXPECT_EQ(expected.displayName, name);
        }
        EXPECT_TRUE(displayNames.insert(name).second) << "display name used twice: " << name;
        std::string tab = keys.count("DisplayUI") ? keys.at("DisplayUI") : "";
        EXPECT_EQ(expected.tab, tab) << expected.type;
        EXPECT_EQ(expected.hidden, keys.count("Hidden") ? keys.at("Hidden") : "") << expected.type;
    }
}

TEST(TypeDefinitionTest, EngineKnowsEveryTypeWithEveryAttributeTheLibraryUses)
{
    void* engine = new_turbine_handle(InstalledTypeFile().c_str(), 1);
    ASSERT_NE(nullptr, engine);
    std::vector<std::string> types = TypeKeys(engine);
    ASSERT_EQ(ExpectedTypes().size(), types.size());
    for (size_t i = 0; i < types.size(); ++i)
    {
        const SExpectedType& expected = ExpectedTypes()[i];
        EXPECT_EQ(expected.type, types[i]);
        std::vector<std::string> list = KeyList(engine, expected.type);
        std::set<std::string> keys(list.begin(), list.end());
        for (const char* attribute : Join(expected.attributes, {"OriginalValue", "Prompt", "IsServer", "IsEncrypt"}))
            EXPECT_TRUE(keys.count(attribute)) << expected.type << " lacks " << attribute;
        // Identity and computed attributes are the engine's own, never copied.
        for (const char* own : {"ParamName", "Type", "LocalDataDir", "GlobalDataDir", "ActualFullPath"})
            EXPECT_FALSE(keys.count(own)) << expected.type << " lists " << own;
    }
    delete_turbine_handle(engine);
}

using TypeCopyTest = CEngineTest;

TEST_F(TypeCopyTest, CopyingTheListedAttributesCarriesAParameterOver)
{
    // What a rename does: a new parameter of the type receives every listed attribute.
    ASSERT_NE(0, Param_NewParam(m_hEngine, "Old", "Table", nullptr));
    std::vector<std::string> keys = KeyList(m_hEngine, "Table");
    for (const std::string& key : keys)
        SetAttrib(m_hEngine, "Old", key.c_str(), "value of " + key);
    ASSERT_NE(0, Param_NewParam(m_hEngine, "New", "Table", nullptr));
    for (const std::string& key : keys)
        SetAttrib(m_hEngine, "New", key.c_str(), GetAttrib(m_hEngine, "Old", key.c_str()));
    Param_DeleteParam(m_hEngine, "Old");
    for (const std::string& key : keys)
        EXPECT_EQ("value of " + key, GetAttrib(m_hEngine, "New", key.c_str()));
    EXPECT_EQ("value of TableLocation/value of Table", GetAttrib(m_hEngine, "New", "ActualFullPath"));
}
