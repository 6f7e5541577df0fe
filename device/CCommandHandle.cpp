#include "device/CCommandHandle.h"

#include "device/SentenceParsing.h"
#include "log/SysLog.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
const char *const kCommands[] = {
    "$AIAIQ,VER*3C",
    "$PDBG,107,1,,,,,,*16",
    "$PTST,,,,,16*28",
};

template <std::size_t N>
void copyText(char (&dest)[N], const char *field)
{
    std::memset(dest, 0, N);
    if (!field || *field == ' ')
        return;
    // Over-long fields are cut rather than dropped: the version and machine
    // type the operator sees must still appear.
    std::strncpy(dest, field, N - 1);
}

int decimal(const char *field)
{
    if (!field || *field == ' ')
        return 0;
    errno = 0;
    char *end = nullptr;
    const long value = std::strtol(field, &end, 10);
    if (end == field)
        return 0;
    if (errno == ERANGE || value > INT_MAX || value < INT_MIN)
        return -1;
    return static_cast<int>(value);
}
}  // namespace

CCommandHandle::CCommandHandle()
{
    std::memset(&m_stVerInfo, 0, sizeof(m_stVerInfo));
}

std::string CCommandHandle::getCommand(int index)
{
    if (index < 0 || index >= static_cast<int>(sizeof(kCommands) / sizeof(kCommands[0])))
        return std::string();
    return kCommands[index];
}

void CCommandHandle::setTargetType(const std::string &type)
{
    strTargetType = type;
}

bool CCommandHandle::sentenceProcess(const std::string &sentence)
{
    if (sentence.size() > kMaxSentence)
        return false;

    // nextField writes NULs into the text, so it works on its own copy.
    std::vector<char> buffer(sentence.begin(), sentence.end());
    buffer.push_back('\0');
    char *text = buffer.data();

    if (std::strncmp(text, "$AIVER", 6) != 0)
        return false;
    if (checkSentenceSum(text) != 0)
        return false;

    AIS_LOG(SysLevel::Info, "CCommandHandle::sentenceProcess", "Stat to parse AIVER data");

    VerInfo info;
    std::memset(&info, 0, sizeof(info));
    copyText(info.szHeader, nextField(text, ","));
    info.iTotalNum = decimal(nextField(nullptr, ","));
    info.iSentenceNum = decimal(nextField(nullptr, ","));
    copyText(info.szDevType, nextField(nullptr, ","));
    copyText(info.szVendorId, nextField(nullptr, ","));
    copyText(info.szUniqueId, nextField(nullptr, ","));
    info.iSerialNum = decimal(nextField(nullptr, ","));
    copyText(info.szModelCode, nextField(nullptr, ","));
    copyText(info.szMachineType, nextField(nullptr, ","));
    copyText(info.szFwVersion, nextField(nullptr, ","));
    copyText(info.szSeqMsgId, nextField(nullptr, "*"));
    info.iCheckSum = decimal(nextField(nullptr, "\r"));

    m_stVerInfo = info;
    AIS_LOG(SysLevel::Info, "CCommandHandle::sentenceProcess", "Parse AIVER data finish");

    if (strTargetType != m_stVerInfo.szMachineType) {
        AIS_LOG(SysLevel::Info, "CCommandHandle::sentenceProcess", "Target machine type is not correct: %s",
                m_stVerInfo.szMachineType);
        return false;
    }
    AIS_LOG(SysLevel::Info, "CCommandHandle::sentenceProcess", "Target machine type is correct: %s",
            m_stVerInfo.szMachineType);
    m_iStatus.fetch_or(1);
    return true;
}

void CCommandHandle::reset()
{
    m_iStatus = 0;
    std::memset(&m_stVerInfo, 0, sizeof(m_stVerInfo));
}
