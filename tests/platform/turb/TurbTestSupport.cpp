#include "TurbTestSupport.h"

#include <sstream>

std::string InstalledTypeFile()
{
    return std::string(TARVO_SOURCE_DIR) + "/dat/param.dat";
}

std::string GetAttrib(void* engine, const char* name, const char* attrib, int* status)
{
    char* text = nullptr;
    int length = -1;
    int result = Param_GetAttribByNameExt(engine, name, attrib, &text, &length);
    if (status)
        *status = result;
    std::string value;
    if (result == TURB_OK)
    {
        EXPECT_NE(nullptr, text);
        value.assign(text, static_cast<size_t>(length));
        Param_GetAttribFree(engine, &text);
        EXPECT_EQ(nullptr, text);
    }
    else
    {
        EXPECT_EQ(nullptr, text);
        EXPECT_EQ(0, length);
    }
    return value;
}

int SetAttrib(void* engine, const char* name, const char* attrib, const std::string& value)
{
    return Param_SetAttribByName(engine, name, attrib, value.data(), static_cast<int>(value.size()));
}

std::vector<std::string> ParamNames(void* engine)
{
    std::vector<std::string> names;
    void* pos = Param_GetHeadParamPos(engine);
    while (TURB_PARAM_ID id = Param_GetNextParam(engine, pos))
    {
        char* text = nullptr;
        int length = 0;
        if (Param_GetAttribExt(engine, id, "ParamName", &text, &length) == TURB_OK)
        {
            names.emplace_back(text, static_cast<size_t>(length));
            Param_GetAttribFree(engine, &text);
        }
    }
    Param_GetHeadPosFree(engine, pos);
    return names;
}

std::vector<std::string> KeyList(void* engine, const char* type)
{
    std::vector<std::string> keys;
    const char* list = Param_GetAttribKeyList(engine, type);
    std::stringstream stream(list ? list : "");
    std::string key;
    while (std::getline(stream, key, ','))
        keys.push_back(key);
    return keys;
}

std::vector<std::string> TypeKeys(void* engine)
{
    std::vector<std::string> types;
    void* pos = Param_GetHeadTypesPos(engine);
    while (const char* type = Param_GetNextType(engine, pos))
        types.push_back(type);
    Param_GetHeadPosFree(engine, pos);
    return types;
}

void CEngineTest::SetUp()
{
    m_hEngine = new_turbine_handle(InstalledTypeFile().c_str(), 1);
    ASSERT_NE(nullptr, m_hEngine);
}

void CEngineTest::TearDown()
{
    for (void* engine : m_arrMore)
        delete_turbine_handle(engine);
    delete_turbine_handle(m_hEngine);
}

void* CEngineTest::OpenEngine()
{
    void* engine = new_turbine_handle(InstalledTypeFile().c_str(), 1);
    EXPECT_NE(nullptr, engine);
    m_arrMore.push_back(engine);
    return engine;
}
