#pragma once

#include <string>
#include <vector>

// A unique data-file parameter of a script, as allocation sees it.
struct UNIQUE_PARAM
{
    std::string strName;
    long nRows = 0;       // data rows from the parameter's first data line
    long nFixedBlock = 0; // rows for each Vuser; 0: as many as its iterations
};

// What allocation needs of a script: its unique parameters and the number of
// iterations its run logic runs.
struct UNIQUE_SCRIPT
{
    std::vector<UNIQUE_PARAM> params;
    long nRunIterations = 1;
};

// Reads the script of a ".usr" file: its parameter file (through the engine,
// with the installation's type definitions) and its run logic (through the
// configuration file). IS_PIPE_OK, or the failure's status with a message.
int ReadUniqueScript(const std::string& strUsrPath, const std::string& strCfgPath, UNIQUE_SCRIPT& script,
                     std::string& strError);
