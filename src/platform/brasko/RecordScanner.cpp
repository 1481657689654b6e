#include "brasko/RecordScanner.h"

#include "brasko/Brasko.h"
#include "ketrin/Ketrin.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace
{
constexpr int64_t kBufferSize = 256 * 1024;
constexpr int kBlock = 64;

// One bit per byte of a 64-byte block.
struct DT_MASKS
{
    uint64_t nQuotes = 0;
    uint64_t nFeeds = 0;
    uint64_t nNuls = 0;
    uint64_t nCrs = 0;
    uint64_t nDelimiters = 0; // the delimiter's first byte
};

__attribute__((always_inline)) inline int PopCount(uint64_t n)
{
    return __builtin_popcountll(n);
}

// Bits below nBit (nBit may be 64).
__attribute__((always_inline)) inline uint64_t BitsBelow(int nBit)
{
    return nBit >= 64 ? ~0ULL : (1ULL << nBit) - 1;
}

// Bit i becomes the parity of bits 0..i: 1 inside a quoted stretch. A doubled
// quote closes and reopens, so it needs no special case.
__attribute__((always_inline)) inline uint64_t PrefixXor(uint64_t n)
{
    n ^= n << 1;
    n ^= n << 2;
    n ^= n << 4;
    n ^= n << 8;
    n ^= n << 16;
    n ^= n << 32;
    return n;
}

DT_MASKS MasksPortable(const unsigned char* p, char cDelimiter)
{
    DT_MASKS masks;
    for (int i = 0; i < kBlock; ++i)
    {
        uint64_t nBit = 1ULL << i;
        masks.nQuotes |= p[i] == '"' ? nBit : 0;
        masks.nFeeds |= p[i] == '\n' ? nBit : 0;
        masks.nNuls |= p[i] == 0 ? nBit : 0;
        masks.nCrs |= p[i] == '\r' ? nBit : 0;
        masks.nDelimiters |= p[i] == static_cast<unsigned char>(cDelimiter) ? nBit : 0;
    }
    return masks;
}

void AddCheckpoints(DT_SCAN_STATE& state, uint64_t nEnds, uint64_t nFeeds, int64_t nBase)
{
    const int64_t nStride = CRecordScanner::kCheckpointStride;
    int64_t nNeeded = state.nUntilCheckpoint;
    int64_t nCount = PopCount(nEnds);
    while (nCount >= nNeeded)
    {
        uint64_t n = nEnds;
        for (int64_t k = 1; k < nNeeded; ++k)
            n &= n - 1;
        int nBit = __builtin_ctzll(n);
        DT_CHECKPOINT point;
        point.nOffset = nBase + nBit + 1;
        point.nLine = state.nLineFeeds + PopCount(nFeeds & BitsBelow(nBit + 1)) + 1;
        state.vecCheckpoints.push_back(point);
        nEnds &= ~BitsBelow(nBit + 1);
        nCount -= nNeeded;
        nNeeded = nStride;
    }
    state.nUntilCheckpoint = nNeeded - nCount;
}

// Line ends that close an empty line: LF right after a line end, or CR LF.
// The names line is never empty in this sense, as nothing ends before it.
__attribute__((always_inline)) inline uint64_t EmptyLineEnds(DT_SCAN_STATE& state, uint64_t nEnds, uint64_t nCrs)
{
    uint64_t nStartsHere = (nEnds << 1) | (state.nPrevEnds >> 63);
    uint64_t nStartsBefore = (nEnds << 2) | (state.nPrevEnds >> 62);
    uint64_t nCrBefore = (nCrs << 1) | (state.nPrevCrs >> 63);
    state.nPrevEnds = nEnds;
    state.nPrevCrs = nCrs;
    return nEnds & (nStartsHere | (nCrBefore & nStartsBefore));
}

// Bits of the bytes that complete a delimiter of more than one byte; the
// matcher follows every byte, so a delimiter may span blocks.
uint64_t LongDelimiterEnds(DT_SCAN_STATE& state, const DT_MASKS& masks, const unsigned char* p, int nValid)
{
    if (state.matcher.IsIdle() && !masks.nDelimiters)
        return 0; // nothing can start or continue a delimiter here
    uint64_t nEnds = 0;
    for (int i = 0; i < nValid; ++i)
        nEnds |= state.matcher.Feed(static_cast<char>(p[i])) ? 1ULL << i : 0;
    return nEnds;
}

// The quotes that open or close a value, one by one: inside a value every
// quote closes it; outside, a quote opens one only where a field starts or
// right after a closing quote (a doubled quote). Other quotes are data.
uint64_t QuoteTogglesInOrder(DT_SCAN_STATE& state, uint64_t nQuotes, uint64_t nStarts)
{
    uint64_t nToggles = 0;
    uint64_t nCloses = 0;
    bool bInside = state.nInQuote != 0;
    for (; nQuotes; nQuotes &= nQuotes - 1)
    {
        int nBit = __builtin_ctzll(nQuotes);
        uint64_t nAfterClose = nBit == 0 ? state.nPrevClose : (nCloses >> (nBit - 1)) & 1;
        if (bInside)
            nCloses |= 1ULL << nBit;
        else if (!nAfterClose && !((nStarts >> nBit) & 1))
            continue;
        nToggles |= 1ULL << nBit;
        bInside = !bInside;
    }
    return nToggles;
}

// Usually every quote of a block toggles, as in a file whose quoted values all
// start fields; that is checked with a few bit operations, and only a block
// with a quote inside an unquoted field is walked quote by quote.
__attribute__((always_inline)) inline uint64_t QuoteToggles(DT_SCAN_STATE& state, uint64_t nQuotes, uint64_t nStarts)
{
    uint64_t nInside = PrefixXor(nQuotes) ^ state.nInQuote;
    uint64_t nCloses = nQuotes & ~nInside;
    uint64_t nOpens = nQuotes & nInside;
    uint64_t nAllowed = nStarts | (nCloses << 1) | state.nPrevClose;
    return (nOpens & ~nAllowed) ? QuoteTogglesInOrder(state, nQuotes, nStarts) : nQuotes;
}

// Inlined into each block loop so that it is compiled for that loop's CPU.
__attribute__((always_inline)) inline void ScanBlock(DT_SCAN_STATE& state, const DT_MASKS& masks,
                                                     const unsigned char* p, int nValid, int64_t nBase)
{
    uint64_t nDelimiterEnds = state.bLongDelimiter ? LongDelimiterEnds(state, masks, p, nValid) : masks.nDelimiters;
    uint64_t nFieldEnds = masks.nFeeds | nDelimiterEnds;
    uint64_t nStarts = (nFieldEnds << 1) | state.nPrevFieldEnd | state.nFirstBlockStarts;
    state.nPrevFieldEnd = nFieldEnds >> 63;
    state.nFirstBlockStarts = 0;
    uint64_t nEnds = masks.nFeeds & ~state.nInQuote;
    if (masks.nQuotes)
    {
        uint64_t nToggles = QuoteToggles(state, masks.nQuotes, nStarts);
        uint64_t nInside = PrefixXor(nToggles) ^ state.nInQuote;
        nEnds = masks.nFeeds & ~nInside;
        uint64_t nOpens = nToggles & nInside;
        state.nPrevClose = (nToggles & ~nInside) >> 63;
        if (nOpens)
        {
            int nBit = 63 - __builtin_clzll(nOpens);
            state.nOpenQuoteLine = state.nLineFeeds + PopCount(masks.nFeeds & BitsBelow(nBit)) + 1;
        }
        state.nInQuote = static_cast<uint64_t>(static_cast<int64_t>(nInside) >> 63);
    }
    else
        state.nPrevClose = 0;
    nEnds &= ~EmptyLineEnds(state, nEnds, masks.nCrs);
    int64_t nCount = PopCount(nEnds);
    if (nCount >= state.nUntilCheckpoint)
        AddCheckpoints(state, nEnds, masks.nFeeds, nBase);
    else
        state.nUntilCheckpoint -= nCount;
    state.nRecordEnds += nCount;
    state.nLineFeeds += PopCount(masks.nFeeds);
}

// Scans whole blocks up to the first one holding a NUL; returns the bytes done.
int64_t ScanBlocksPortable(DT_SCAN_STATE& state, const unsigned char* p, int64_t nLength, int64_t nBase)
{
    int64_t i = 0;
    for (; i + kBlock <= nLength; i += kBlock)
    {
        DT_MASKS masks = MasksPortable(p + i, state.cDelimiter);
        if (masks.nNuls)
            break;
        ScanBlock(state, masks, p + i, kBlock, nBase + i);
    }
    return i;
}

#if defined(__x86_64__)
__attribute__((target("avx2"))) inline uint64_t MaskAvx2(__m256i lo, __m256i hi, char c)
{
    __m256i v = _mm256_set1_epi8(c);
    uint64_t nLo = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(lo, v)));
    uint64_t nHi = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(hi, v)));
    return nLo | (nHi << 32);
}

__attribute__((target("avx2,popcnt,lzcnt,bmi"))) int64_t ScanBlocksAvx2(DT_SCAN_STATE& state, const unsigned char* p,
                                                                        int64_t nLength, int64_t nBase)
{
    int64_t i = 0;
    for (; i + kBlock <= nLength; i += kBlock)
    {
        __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 32));
        DT_MASKS masks;
        masks.nQuotes = MaskAvx2(lo, hi, '"');
        masks.nFeeds = MaskAvx2(lo, hi, '\n');
        masks.nNuls = MaskAvx2(lo, hi, 0);
        masks.nCrs = MaskAvx2(lo, hi, '\r');
        masks.nDelimiters = MaskAvx2(lo, hi, state.cDelimiter);
        if (masks.nNuls)
            break;
        ScanBlock(state, masks, p + i, kBlock, nBase + i);
    }
    return i;
}

bool HasAvx2()
{
#if defined(__clang__)
    // clang cannot ask for lzcnt ("abm"); every processor with AVX2 has it.
    static const bool bHas =
        __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("bmi");
#else
    static const bool bHas = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") &&
                             __builtin_cpu_supports("bmi") && __builtin_cpu_supports("abm");
#endif
    return bHas;
}
#endif

// Fills the buffer unless the file ends first; -1 on a read error.
int64_t ReadFull(int fd, char* pBuffer, int64_t nSize)
{
    int64_t nDone = 0;
    while (nDone < nSize)
    {
        ssize_t n = read(fd, pBuffer + nDone, static_cast<size_t>(nSize - nDone));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        nDone += n;
    }
    return nDone;
}
} // namespace

int CRecordScanner::OpenFile(const char* pszPath, int& fd)
{
    fd = os_open_regular_file(pszPath);
    if (fd < 0)
        return BRASKO_E_IO;
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return BRASKO_OK;
}

CRecordScanner::CRecordScanner(bool bKeepCheckpoints, const std::string& strDelimiter)
{
    m_state.cDelimiter = strDelimiter.empty() ? ',' : strDelimiter[0];
    m_state.bLongDelimiter = strDelimiter.size() > 1;
    m_state.matcher = CDelimiterMatcher(strDelimiter);
    if (bKeepCheckpoints)
    {
        m_state.nUntilCheckpoint = kCheckpointStride;
        m_state.vecCheckpoints.push_back(DT_CHECKPOINT());
    }
}

int64_t CRecordScanner::GetLineCount() const
{
    return m_state.nLineFeeds + (m_nSize > 0 && !m_bEndsWithFeed ? 1 : 0);
}

int CRecordScanner::Scan(int fd)
{
    std::unique_ptr<char[]> pBuffer(new char[kBufferSize]);
    for (;;)
    {
        int64_t nRead = ReadFull(fd, pBuffer.get(), kBufferSize);
        if (nRead < 0)
            return BRASKO_E_IO;
        if (nRead == 0)
            break;
        // The names of a file that starts with the UTF-8 mark start after it.
        if (m_nSize == 0 && nRead >= 3 && memcmp(pBuffer.get(), "\xEF\xBB\xBF", 3) == 0)
            m_state.nFirstBlockStarts = 1ULL << 3;
        if (!ScanBuffer(pBuffer.get(), nRead, m_nSize))
            return BRASKO_E_FORMAT;
        m_bEndsWithFeed = pBuffer[nRead - 1] == '\n';
        m_nSize += nRead;
        if (nRead < kBufferSize)
            break;
    }
    if (m_state.nInQuote)
    {
        m_state.nFaultLine = m_state.nOpenQuoteLine;
        return BRASKO_E_FORMAT;
    }
    m_nRecords = m_state.nRecordEnds + (m_nSize > 0 && !m_bEndsWithFeed ? 1 : 0);
    return BRASKO_OK;
}

bool CRecordScanner::ScanBuffer(const char* pData, int64_t nLength, int64_t nBase)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pData);
#if defined(__x86_64__)
    int64_t i = HasAvx2() ? ScanBlocksAvx2(m_state, p, nLength, nBase) : ScanBlocksPortable(m_state, p, nLength, nBase);
#else
    int64_t i = ScanBlocksPortable(m_state, p, nLength, nBase);
#endif
    // What is left is a block with a NUL or the short tail, padded with
    // blanks, which match no quote, line feed or NUL.
    for (; i < nLength; i += kBlock)
    {
        unsigned char block[kBlock];
        int64_t nTake = nLength - i < kBlock ? nLength - i : kBlock;
        memset(block, ' ', sizeof(block));
        memcpy(block, p + i, static_cast<size_t>(nTake));
        DT_MASKS masks = MasksPortable(block, m_state.cDelimiter);
        if (masks.nNuls)
        {
            int nBit = __builtin_ctzll(masks.nNuls);
            m_state.nFaultLine = m_state.nLineFeeds + PopCount(masks.nFeeds & BitsBelow(nBit)) + 1;
            return false;
        }
        masks.nDelimiters &= BitsBelow(static_cast<int>(nTake)); // the padding is no delimiter
        ScanBlock(m_state, masks, block, static_cast<int>(nTake), nBase + i);
    }
    return true;
}
