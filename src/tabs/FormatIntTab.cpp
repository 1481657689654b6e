#include "tabs/FormatIntTab.h"

#include "controls/FormatSample.h"
#include "resources/FormatDialogs.h"

namespace
{
const char* const INT_FORMATS[] = {"%d", "%01d", "%02d", "%03d", "%04d", "%05d", "%06d", "%07d", "%08d"};

// The iteration number is a 32-bit number.
int IntSample(const std::string& strFormat, const std::string& strSample, std::string& strOutput)
{
    return FormatIntSample(strFormat, strSample, strOutput, false);
}

const CFormatTab::FORMAT_TAB_KIND& IntKind()
{
    static const CFormatTab::FORMAT_TAB_KIND kind = {IDD_FORMAT_INT_TAB, "ParamDialogIntFormats", INT_FORMATS,
                                                     static_cast<int>(std::size(INT_FORMATS)), IntSample};
    return kind;
}
} // namespace

CFormatIntTab::CFormatIntTab(CTarvoMgr* pMgr) : CFormatTab(pMgr, IntKind()) {}

CFormatIntTab::~CFormatIntTab() = default;
