#pragma once

#include "turb/Turb.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// The installation's type-definition file.
std::string InstalledTypeFile();

// An attribute read through the engine; status receives the Get's status.
std::string GetAttrib(void* engine, const char* name, const char* attrib, int* status = nullptr);
int SetAttrib(void* engine, const char* name, const char* attrib, const std::string& value);
// Names of the parameters in engine order.
std::vector<std::string> ParamNames(void* engine);
// Every stored attribute of a parameter (its type's list plus extra keys), in
// the order given.
std::vector<std::pair<std::string, std::string>> Attributes(void* engine, const char* name,
                                                            const std::vector<std::string>& keys);
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
