#include "TurbTestSupport.h"
#include "turb/TimeText.h"

#include <cstdlib>
#include <cstring>
#include <set>

namespace
{
// Five data rows; row n holds n, "an" and "cn".
const char DATA[] = "id,name,city\n"
                    "1,a1,c1\n"
                    "2,a2,c2\n"
                    "\n"
                    "3,a3,c3\r\n"
                    "4,\"a,4\",c4\n"
                    "5,a5,c5";
} // namespace

class ValueGenerationTest : public CEngineTest
{
protected:
    void SetUp() override
    {
        CEngineTest::SetUp();
        m_dir.Write("data.dat", DATA);
        ASSERT_EQ(TURB_NOT_LOADED, Param_AddParamFile(m_hEngine, m_dir.File("s.prm").c_str(), 1));
    }

    // A data-file parameter on data.dat, column "name", rows in order.
    void NewFileParam(const char* name)
    {
        ASSERT_NE(0, Param_NewParam(m_hEngine, name, "Table", nullptr));
        Set(name, "Table", "data.dat");
        Set(name, "TableLocation", "Local");
        Set(name, "ColumnName", "Col 2");
        Set(name, "Delimiter", ",");
        Set(name, "StartRow", "1");
        Set(name, "SelectNextRow", "Sequential");
        Set(name, "GenerateNewVal", "EachIteration");
    }

    void Set(const char* name, const char* attrib, const std::string& value)
    {
        ASSERT_EQ(TURB_OK, SetAttrib(m_hEngine, name, attrib, value)) << attrib;
    }

    std::string Value(const char* name, int* status = nullptr)
    {
        char buffer[100];
        int result = Param_GetParamString(m_hEngine, name, buffer, sizeof buffer);
        if (status)
            *status = result;
        return result == TURB_OK ? buffer : "-";
    }

    // The values of one Vuser over the iterations, as the simulation reads them:
    // the current value, then a move; "-" once the Vuser has run out.
    std::string Iterations(const char* name, int count, bool bStart = true)
    {
        if (bStart)
            Param_pt_init(m_hEngine);
        std::string values;
        bool bOut = false;
        for (int i = 0; i < count; ++i)
        {
            values += (i ? " " : "") + (bOut ? std::string("-") : Value(name));
            bOut = bOut || Param_AdvanceParamByName(m_hEngine, name, 0) != TURB_OK;
        }
        return values;
    }

    // Prepares a simulation of the parameter and starts its first Vuser.
    void Simulate(const char* name)
    {
        Set(name, "InSimMode", "TRUE");
        ASSERT_EQ(TURB_OK, Param_pp_init(m_hEngine));
    }

    static constexpr int TURB_NOT_LOADED = TURB_E_IO; // the script's file does not exist yet
};

TEST_F(ValueGenerationTest, SequentialStartsEachVuserAtTheFirstRowAndWraps)
{
    NewFileParam("P");
    Simulate("P");
    EXPECT_EQ("a1 a2 a3 a,4 a5 a1 a2", Iterations("P", 7));
    EXPECT_EQ("a1 a2 a3", Iterations("P", 3));
    EXPECT_EQ("", GetAttrib(m_hEngine, "P", "SimParamNotValid"));
}

TEST_F(ValueGenerationTest, StartRowAndColumnChoice)
{
    NewFileParam("P");
    Set("P", "StartRow", "3");
    Set("P", "ColumnName", "CITY");
    Simulate("P");
    EXPECT_EQ("c3 c4 c5 c3", Iterations("P", 4));

    NewFileParam("Q");
    Set("Q", "ColumnName", "Col 1");
    Set("Q", "Delimiter", "");
    Simulate("Q");
    EXPECT_EQ("1 2 3", Iterations("Q", 3));
}

TEST_F(ValueGenerationTest, QuotedValuesKeepLineBreaksAndABrokenFileMarksTheParameter)
{
    // Read as the data file editor reads it: a quoted line break is part of the value.
    m_dir.Write("data.dat", "id,name\n1,\"two\nlines\"\n2,b\n");
    NewFileParam("P");
    Simulate("P");
    EXPECT_EQ("two\nlines b", Iterations("P", 2));

    // A quote inside an unquoted value is data, as the editor shows it.
    m_dir.Write("data.dat", "id,name\n1,5\" screen\n2,\"say \"\"hi\"\"\"\n");
    Simulate("P");
    EXPECT_EQ("5\" screen say \"hi\"", Iterations("P", 2));

    m_dir.Write("data.dat", "id,name\n1,a\n2,\"open\n");
    Simulate("P");
    Param_pt_init(m_hEngine);
    EXPECT_EQ("TRUE", GetAttrib(m_hEngine, "P", "SimParamNotValid")) << "a quote left open is an error, not a value";

    m_dir.Write("data.dat", "id,name\n1,a\n2,\"5\" screen\n");
    Simulate("P");
    Param_pt_init(m_hEngine);
    EXPECT_EQ("TRUE", GetAttrib(m_hEngine, "P", "SimParamNotValid")) << "a row the editor refuses gives no values";
}

TEST_F(ValueGenerationTest, ParametersThatCannotProduceValuesAreMarked)
{
    struct
    {
        const char* attrib;
        const char* value;
    } breakers[] = {{"ColumnName", "nope"},   {"ColumnName", "Col 4"}, {"ColumnName", "Col 0"},
                    {"Table", "missing.dat"}, {"StartRow", "9"},       {"StartRow", "x"}};
    for (const auto& breaker : breakers)
    {
        Param_DeleteParam(m_hEngine, "P");
        NewFileParam("P");
        Set("P", breaker.attrib, breaker.value);
        Simulate("P");
        Param_pt_init(m_hEngine);
        EXPECT_EQ("TRUE", GetAttrib(m_hEngine, "P", "SimParamNotValid")) << breaker.value;
        int status = TURB_OK;
        EXPECT_EQ("-", Value("P", &status));
        EXPECT_EQ(TURB_E_NO_VALUE, status);
        EXPECT_EQ(TURB_E_NO_VALUE, Param_AdvanceParamByName(m_hEngine, "P", 0));
    }

    // Mended, the mark goes away with the next Vuser.
    Set("P", "StartRow", "1");
    Simulate("P");
    Param_pt_init(m_hEngine);
    EXPECT_EQ("", GetAttrib(m_hEngine, "P", "SimParamNotValid"));
}

TEST_F(ValueGenerationTest, RandomRowsAreUniformOverTheRowsAndRepeatWithTheSeed)
{
    NewFileParam("P");
    Set("P", "SelectNextRow", "Random");
    Set(nullptr, "RandomSeed", "42");
    Simulate("P");
    std::string first = Iterations("P", 300);

    std::multiset<std::string> seen;
    for (size_t start = 0, end; start < first.size(); start = end + 1)
    {
        end = first.find(' ', start);
        end = end == std::string::npos ? first.size() : end;
        seen.insert(first.substr(start, end - start));
    }
    size_t total = 0;
    for (const char* row : {"a1", "a2", "a3", "a,4", "a5"})
    {
        EXPECT_GT(seen.count(row), 30u) << row; // about 60 each
        total += seen.count(row);
    }
    EXPECT_EQ(300u, total); // nothing but the data rows

    Simulate("P");
    EXPECT_EQ(first, Iterations("P", 300));
    Set(nullptr, "RandomSeed", "43");
    Simulate("P");
    EXPECT_NE(first, Iterations("P", 300));

    // Without a seed of its own the engine follows the C library's seed.
    Set(nullptr, "RandomSeed", "");
    std::srand(7);
    Simulate("P");
    std::string seeded = Iterations("P", 50);
    std::srand(7);
    Simulate("P");
    EXPECT_EQ(seeded, Iterations("P", 50));
}

TEST_F(ValueGenerationTest, UniqueWalksTheAllocatedRangeThenAppliesTheOutOfRangePolicy)
{
    NewFileParam("P");
    Set("P", "SelectNextRow", "Unique");
    struct
    {
        const char* policy;
        const char* values;
    } cases[] = {{"AbortVuser", "a2 a3 a,4 - -"},
                 {"ContinueCyclic", "a2 a3 a,4 a2 a3"},
                 {"ContinueWithLast", "a2 a3 a,4 a,4 a,4"},
                 {"", "a2 a3 a,4 a,4 a,4"},
                 {"abortvuser", "a2 a3 a,4 - -"}};
    for (const auto& c : cases)
    {
        Set("P", "OutOfRangePolicy", c.policy);
        Simulate("P");
        Set("P", "SimAllocatedRange", "2-4");
        EXPECT_EQ(c.values, Iterations("P", 5)) << c.policy;
    }

    Set("P", "OutOfRangePolicy", "AbortVuser");
    Simulate("P");
    Set("P", "SimAllocatedRange", " 3 - 99 ");
    EXPECT_EQ("a3 a,4 a5 -", Iterations("P", 4));
    Set("P", "SimAllocatedRange", "5");
    EXPECT_EQ("a5 -", Iterations("P", 2));
    Set("P", "SimAllocatedRange", "");
    EXPECT_EQ("a1 a2 a3 a,4 a5 -", Iterations("P", 6));
}

TEST_F(ValueGenerationTest, EmptyOrBrokenRangesMarkTheParameter)
{
    NewFileParam("P");
    Set("P", "SelectNextRow", "Unique");
    Simulate("P");
    for (const char* range : {"7-9", "4-2", "0-3", "abc", "2-x"})
    {
        Set("P", "SimAllocatedRange", range);
        Set("P", "SimParamNotValid", "");
        Param_pt_init(m_hEngine);
        EXPECT_EQ("TRUE", GetAttrib(m_hEngine, "P", "SimParamNotValid")) << range;
        EXPECT_EQ("-", Value("P")) << range;
    }
}

TEST_F(ValueGenerationTest, UpdatePolicyDecidesWhenTheValueMoves)
{
    NewFileParam("P");
    Set("P", "GenerateNewVal", "Once");
    Simulate("P");
    EXPECT_EQ("a1 a1 a1", Iterations("P", 3));
    EXPECT_EQ(TURB_OK, Param_AdvanceParamByName(m_hEngine, "P", 1));
    EXPECT_EQ("a2", Value("P"));

    Set("P", "GenerateNewVal", "EachOccurrence");
    Simulate("P");
    Param_pt_init(m_hEngine);
    EXPECT_EQ("a1", Value("P"));
    EXPECT_EQ("a2", Value("P"));
    EXPECT_EQ(TURB_OK, Param_AdvanceParamByName(m_hEngine, "P", 0));
    EXPECT_EQ("a3", Value("P"));
}

TEST_F(ValueGenerationTest, SameLineFollowsTheRowOfItsAnchor)
{
    NewFileParam("Anchor");
    NewFileParam("Follower");
    Set("Follower", "ColumnName", "city");
    Set("Follower", "SelectNextRow", "Same line as Anchor");
    Simulate("Follower");
    Param_pt_init(m_hEngine);
    EXPECT_EQ("c1", Value("Follower"));
    Param_AdvanceParamByName(m_hEngine, "Anchor", 0);
    Param_AdvanceParamByName(m_hEngine, "Anchor", 0);
    EXPECT_EQ("c3", Value("Follower"));
    EXPECT_EQ(TURB_OK, Param_AdvanceParamByName(m_hEngine, "Follower", 0));
    EXPECT_EQ("c3", Value("Follower"));

    Set("Follower", "SelectNextRow", "Same line as Nobody");
    Simulate("Follower");
    Param_pt_init(m_hEngine);
    EXPECT_EQ("-", Value("Follower"));
}

TEST_F(ValueGenerationTest, TableParametersJoinRowsOfChosenColumns)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "T", "TTable", nullptr));
    Set("T", "Table", "data.dat");
    Set("T", "Delimiter", ",");
    Set("T", "StartRow", "1");
    Set("T", "RowsInInstance", "2");
    Set("T", "ColumnIndexesList", "1,3");
    Set("T", "RowDelimiter", "|");
    Simulate("T");
    EXPECT_EQ("1,c1|2,c2 3,c3|4,c4 5,c5|1,c1", Iterations("T", 3));

    Set("T", "NotEnoughRowsPolicy", "OnlyExistingRows");
    Set("T", "ColumnIndexesList", "");
    Simulate("T");
    EXPECT_EQ("1,a1,c1|2,a2,c2 3,a3,c3|4,a,4,c4 5,a5,c5", Iterations("T", 3));

    Set("T", "ColumnIndexesList", "1,4");
    Simulate("T");
    Param_pt_init(m_hEngine);
    EXPECT_EQ("TRUE", GetAttrib(m_hEngine, "T", "SimParamNotValid"));
}

TEST_F(ValueGenerationTest, AnAbsurdRowCountPerValueIsNotValidInsteadOfHanging)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "T", "TTable", nullptr));
    Set("T", "Table", "data.dat");
    Set("T", "Delimiter", ",");
    Set("T", "ColumnIndexesList", "1");
    Set("T", "RowsInInstance", "1000000");
    Simulate("T");
    Param_pt_init(m_hEngine);
    EXPECT_EQ("", GetAttrib(m_hEngine, "T", "SimParamNotValid")) << "a large but sane count still works";

    Set("T", "RowsInInstance", "9223372036854775807");
    Simulate("T");
    Param_pt_init(m_hEngine);
    // Checked first: reading a value of a definition taken as valid would not end.
    ASSERT_EQ("TRUE", GetAttrib(m_hEngine, "T", "SimParamNotValid"));
    int status = TURB_OK;
    EXPECT_EQ("-", Value("T", &status));
    EXPECT_EQ(TURB_E_NO_VALUE, status);
}

TEST_F(ValueGenerationTest, SimScriptPathLocatesTheDataFileDuringPreparation)
{
    m_dir.Write("elsewhere/only.dat", "v\nfrom elsewhere\n");
    NewFileParam("P");
    Set("P", "Table", "only.dat");
    Set("P", "ColumnName", "v");
    Set("P", "SimScriptPath", m_dir.File("elsewhere"));
    Simulate("P");
    Set("P", "SimScriptPath", "");
    EXPECT_EQ("from elsewhere", Iterations("P", 1));
}

TEST_F(ValueGenerationTest, RandomNumbersStayInRangeWithTheirFormat)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "R", "Random", nullptr));
    Set("R", "MinValue", "7");
    Set("R", "MaxValue", "12");
    Set("R", "Format", "%05lu");
    Set("R", "GenerateNewVal", "EachIteration");
    Set(nullptr, "RandomSeed", "5");
    Simulate("R");
    std::set<std::string> seen;
    Param_pt_init(m_hEngine);
    for (int i = 0; i < 200; ++i)
    {
        seen.insert(Value("R"));
        Param_AdvanceParamByName(m_hEngine, "R", 0);
    }
    EXPECT_EQ((std::set<std::string>{"00007", "00008", "00009", "00010", "00011", "00012"}), seen);

    Set("R", "MinValue", "13");
    Simulate("R");
    Param_pt_init(m_hEngine);
    EXPECT_EQ("TRUE", GetAttrib(m_hEngine, "R", "SimParamNotValid"));
}

TEST_F(ValueGenerationTest, UniqueNumbersGiveEachVuserItsOwnBlock)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "U", "Unique", nullptr));
    Set("U", "StartValue", "10");
    Set("U", "BlockSize", "3");
    Set("U", "Format", "%03d");
    Set("U", "OutOfRangePolicy", "ContinueCyclic");
    Simulate("U");
    EXPECT_EQ("010 011 012 010", Iterations("U", 4));
    EXPECT_EQ("013 014 015 013", Iterations("U", 4));
    Set("U", "OutOfRangePolicy", "AbortVuser");
    Simulate("U");
    EXPECT_EQ("010 011 012 -", Iterations("U", 4));

    Set("U", "BlockSize", "0");
    Simulate("U");
    EXPECT_EQ("-", Iterations("U", 1));
}

TEST_F(ValueGenerationTest, VuserIterationAndCustomValues)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "Id", "Userid", nullptr));
    ASSERT_NE(0, Param_NewParam(m_hEngine, "It", "CurrentIteration", nullptr));
    ASSERT_NE(0, Param_NewParam(m_hEngine, "C", "Custom", nullptr));
    ASSERT_NE(0, Param_NewParam(m_hEngine, "G", "Group", nullptr));
    Set("Id", "Format", "%03s");
    Set("It", "Format", "Iteration %d");
    Set("C", "CurrentValue", "fixed");
    Set(nullptr, "GroupName", "Buyers");
    Set(nullptr, "InSimMode", "TRUE");
    ASSERT_EQ(TURB_OK, Param_pp_init(m_hEngine));

    EXPECT_EQ("001 001 001", Iterations("Id", 3));
    EXPECT_EQ("Iteration 1 Iteration 2", Iterations("It", 2, false));
    EXPECT_EQ("002", Iterations("Id", 1));
    EXPECT_EQ("Iteration 1", Iterations("It", 1, false));
    EXPECT_EQ("fixed fixed", Iterations("C", 2, false));
    EXPECT_EQ("Buyers", Iterations("G", 1, false));
}

TEST_F(ValueGenerationTest, DateTimeAppliesItsOffset)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "Now", "Time", nullptr));
    ASSERT_NE(0, Param_NewParam(m_hEngine, "Later", "Time", nullptr));
    Set("Now", "Format", "%Y-%m-%d %H:%M:%S");
    Set("Later", "Format", "%Y-%m-%d %H:%M:%S");
    Set("Later", "Offset", "3600");
    Param_pp_init(m_hEngine);
    Param_pt_init(m_hEngine);
    auto seconds = [](const std::string& text)
    {
        std::tm local{};
        local.tm_isdst = -1;
        EXPECT_NE(nullptr, strptime(text.c_str(), "%Y-%m-%d %H:%M:%S", &local)) << text;
        return static_cast<long long>(std::mktime(&local));
    };
    EXPECT_NEAR(3600, seconds(Value("Later")) - seconds(Value("Now")), 2);
}

// A Vuser gets what the editor's sample shows, Windows-style "#" included;
// a format the sample refuses gives the plain date and time.
TEST_F(ValueGenerationTest, DateTimeValuesReadTheFormatAsTheSampleDoes)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "Day", "Time", nullptr));
    ASSERT_NE(0, Param_NewParam(m_hEngine, "Odd", "Time", nullptr));
    Set("Day", "Format", "%#d %B %Y %");
    Set("Odd", "Format", "%Q");
    Param_pp_init(m_hEngine);
    Param_pt_init(m_hEngine);
    std::string day, plain;
    ASSERT_TRUE(FormatTimeText("%#d %B %Y %", std::chrono::system_clock::now(), day));
    EXPECT_EQ(std::string::npos, day.find('#'));
    ASSERT_TRUE(FormatTimeText("%c", std::chrono::system_clock::now(), plain));
    EXPECT_EQ(day, Value("Day"));
    EXPECT_EQ(plain.substr(0, 10), Value("Odd").substr(0, 10));
}

TEST_F(ValueGenerationTest, ValuesNeverOverrunTheCallersBuffer)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "C", "Custom", nullptr));
    Set("C", "CurrentValue", "ab\xC3\xA9xyz");
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(TURB_E_TRUNCATED, Param_GetParamString(m_hEngine, "C", buffer, 4));
    EXPECT_STREQ("ab", buffer); // the two-byte letter did not fit whole
    EXPECT_EQ('#', buffer[4]);
    EXPECT_EQ(TURB_OK, Param_GetParamString(m_hEngine, "C", buffer, 8));
    EXPECT_STREQ("ab\xC3\xA9xyz", buffer);
    EXPECT_EQ(TURB_E_ARGUMENT, Param_GetParamString(m_hEngine, "C", buffer, 0));
    EXPECT_EQ(TURB_E_NOT_FOUND, Param_GetParamString(m_hEngine, "Nobody", buffer, 8));
    EXPECT_EQ(TURB_E_NOT_FOUND, Param_AdvanceParamByName(m_hEngine, "Nobody", 0));

    ASSERT_NE(0, Param_NewParam(m_hEngine, "F", "UserDefinedFunction", nullptr));
    EXPECT_EQ(TURB_E_NO_VALUE, Param_GetParamString(m_hEngine, "F", buffer, 8));
    EXPECT_STREQ("", buffer);
}
