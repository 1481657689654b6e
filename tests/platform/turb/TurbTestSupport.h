#pragma once

#include "turb/Turb.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The installation's type-definition file.
std::string InstalledTypeFile();

// An attribute read through the engine; status receives the Get's status.
std::string GetAttrib(void* engine, const char* name, const char* attrib, int* status = nullptr);
int SetAttrib(void* engine, const char* name, const char* attrib, const std::string& value);
// Names of the parameters in engine order.
std::vector<std::string> ParamNames(void* engine);
// The type's attribute names.
std::vector<std::string> KeyList(void* engine, const char* type);
std::vector<std::string> TypeKeys(void* engine);

// An engine on the installed type definitions, closed at the end of the test.
class CEngineTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A second engine on the same types, closed with the first.
    void* OpenEngine();

    void* m_hEngine = nullptr;
    std::vector<void*> m_arrMore;
    CTempDir m_dir;
};
