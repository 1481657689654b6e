// The ".prm" reader on any text; what the writer writes must read back to the
// same parameters, so writing it again gives the same text.
#include "FuzzFile.h"
#include "turb/ParamList.h"
#include "turb/PrmFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::string strText(reinterpret_cast<const char*>(pData), nSize);
    CParamList list;
    CPrmFile::Parse(strText, "/script/a.prm", list);
    std::string strWritten = CPrmFile::Serialize(list);
    CParamList again;
    CPrmFile::Parse(strWritten, "/script/a.prm", again);
    FUZZ_CHECK(CPrmFile::Serialize(again) == strWritten);
    return 0;
}
