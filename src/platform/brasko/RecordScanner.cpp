#include "brasko/RecordScanner.h"

#include "brasko/Brasko.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
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

DT_MASKS MasksPortable(const unsigned char* p)
{
    DT_MASKS masks;
    for (int i = 0; i < kBlock; ++i)
    {
        uint64_t nBit = 1ULL << i;
        masks.nQuotes |= p[i] == '"' ? nBit : 0;
        masks.nFeeds |= p[i] == '\n' ? nBit : 0;
        masks.nNuls |= p[i] == 0 ? nBit : 0;
        masks.nCrs |= p[i] == '\r' ? nBit : 0;
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

// Inlined into each block loop so that it is compiled for that loop's CPU.
__attribute__((always_inline)) inline void ScanBlock(DT_SCAN_STATE& state, const DT_MASKS& masks, int64_t nBase)
{
    uint64_t nEnds = masks.nFeeds & ~state.nInQuote;
    if (masks.nQuotes)
    {
        uint64_t nInside = PrefixXor(masks.nQuotes) ^ state.nInQuote;
        nEnds = masks.nFeeds & ~nInside;
        uint64_t nOpens = masks.nQuotes & nInside;
        if (nOpens)
        {
            int nBit = 63 - __builtin_clzll(nOpens);
            state.nOpenQuoteLine = state.nLineFeeds + PopCount(masks.nFeeds & BitsBelow(nBit)) + 1;
        }
        state.nInQuote = static_cast<uint64_t>(static_cast<int64_t>(nInside) >> 63);
    }
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
        DT_MASKS masks = MasksPortable(p + i);
        if (masks.nNuls)
            break;
        ScanBlock(state, masks, nBase + i);
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
        if (masks.nNuls)
            break;
        ScanBlock(state, masks, nBase + i);
    }
    return i;
}

bool HasAvx2()
{
    static const bool bHas = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") &&
                             __builtin_cpu_supports("bmi") && __builtin_cpu_supports("abm");
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
    fd = open(pszPath, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return BRASKO_E_IO;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        close(fd);
        fd = -1;
        return BRASKO_E_IO;
    }
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return BRASKO_OK;
}

CRecordScanner::CRecordScanner(bool bKeepCheckpoints)
{
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
    // blanks, which match nothing.
    for (; i < nLength; i += kBlock)
    {
        unsigned char block[kBlock];
        int64_t nTake = nLength - i < kBlock ? nLength - i : kBlock;
        memset(block, ' ', sizeof(block));
        memcpy(block, p + i, static_cast<size_t>(nTake));
        DT_MASKS masks = MasksPortable(block);
        if (masks.nNuls)
        {
            int nBit = __builtin_ctzll(masks.nNuls);
            m_state.nFaultLine = m_state.nLineFeeds + PopCount(masks.nFeeds & BitsBelow(nBit)) + 1;
            return false;
        }
        ScanBlock(m_state, masks, nBase + i);
    }
    return true;
}
