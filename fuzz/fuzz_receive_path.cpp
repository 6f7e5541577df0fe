// Received bytes through the serial channel's receive path: line cut and
// sentence queue, then the version-answer recogniser on every line.
//
// Input: one control byte, an optional reply-wait text, then the byte stream.
//   bits 0-5  chunk size limit (the stream is fed in pseudo-random chunks)
//   bit 6     a reply wait is active; the next byte gives the text length
//             (low 4 bits), that many bytes follow as the wait text; its
//             high 4 bits, when not 0, bound the carried-over text at that
//             many times 8 bytes instead of the product's bound
//   bit 7     the real identification check, attached to the channel,
//             consumes the sentences
#include "fuzz/FuzzEnv.h"

#include "comm/CCommData.h"
#include "comm/CRawDataHandle.h"
#include "comm/CSerialPort.h"
#include "device/CCommSpacesManage.h"
#include "device/CCommandHandle.h"
#include "device/CDeviceComm.h"
#include "device/SentenceParsing.h"
#include "tests/comm/SplitReference.h"

#include <QObject>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {
// The C string of a queue element: the checksum test sees what a caller
// handing c_str() to it would see.
void checkOneLine(CCommandHandle &handle, const std::string &line)
{
    const int sum = checkSentenceSum(line.c_str());
    FUZZ_CHECK(sum == 0 || sum == 1 || sum == 9);

    const int statusBefore = handle.m_iStatus;
    const bool accepted = handle.sentenceProcess(line);
    const VerInfo &info = handle.m_stVerInfo;
    // Every text field stays a terminated string of at most 31 characters.
    for (const char *field : {info.szHeader, info.szDevType, info.szVendorId, info.szUniqueId, info.szModelCode,
                              info.szMachineType, info.szFwVersion, info.szSeqMsgId})
        FUZZ_CHECK(strnlen(field, 32) < 32);
    if (accepted) {
        FUZZ_CHECK(line.size() <= CCommandHandle::kMaxSentence);
        FUZZ_CHECK(line.compare(0, 6, "$AIVER") == 0);
        FUZZ_CHECK(sum == 0);
        FUZZ_CHECK(handle.strTargetType == info.szMachineType);
        FUZZ_CHECK((handle.m_iStatus & 1) == 1);
    } else {
        // A refused line never clears the status bit.
        FUZZ_CHECK((handle.m_iStatus & 1) == (statusBefore & 1));
    }
}

// Takes the sentences the way the identification check does, on the signal.
class SentenceSink : public QObject {
public:
    explicit SentenceSink(COMM::CServiceComm *poChannel)
    {
        m_oHandle.setTargetType(CDeviceComm::kTargetType);
        QObject::connect(poChannel, &COMM::CServiceComm::signalRxSentence, this,
                         [this](void *poSender, char) { take(static_cast<COMM::CServiceComm *>(poSender)); },
                         Qt::DirectConnection);
    }

    std::deque<std::string> lines;

private:
    void take(COMM::CServiceComm *poSender)
    {
        std::string line;
        while (poSender->rawHandle()->getSentence(line)) {
            checkOneLine(m_oHandle, line);
            lines.push_back(line);
        }
    }

    CCommandHandle m_oHandle;
};

bool containsWait(const std::string &piece, const std::string &waitText)
{
    return piece.find(waitText) != std::string::npos;
}
}  // namespace

static int fuzzOne(const uint8_t *data, size_t size)
{
    FuzzEnv::instance();
    if (size < 1)
        return 0;
    const uint8_t ctl = data[0];
    size_t pos = 1;
    const size_t chunkLimit = 1 + (ctl & 0x3fu) * 8u;
    const bool withWait = (ctl & 0x40u) != 0;
    const bool realCheck = (ctl & 0x80u) != 0;

    char waitText[COMM::CRawDataHandle::kWaitTextMax] = {};
    size_t residualMax = COMM::CRawDataHandle::kResidualMax;
    if (withWait) {
        if (pos >= size)
            return 0;
        if ((data[pos] >> 4) != 0)
            residualMax = (data[pos] >> 4) * 8u;
        const size_t len = data[pos++] & 0x0fu;
        if (size - pos < len)
            return 0;
        std::memcpy(waitText, data + pos, len);
        pos += len;
    }
    const std::string waitString(waitText, strnlen(waitText, sizeof waitText));

    // The transponder's connection item, its port left closed.
    CommConfig config = CCommSpacesManage::transponderConfig("ttyFUZZ");
    config.Active = false;
    COMM::CCommData item;
    if (!item.createSerialPort(config, COMM::CServiceComm::KindSentence))
        return 0;
    COMM::CSerialPort &channel = *item.serialPort();
    channel.setEnabled(true);
    channel.rawHandle()->setResidualMax(residualMax);
    if (withWait)
        channel.rawHandle()->setWait(60000, waitText);

    std::unique_ptr<SentenceSink> sink;
    std::unique_ptr<CDeviceComm> check;
    if (realCheck) {
        check = std::make_unique<CDeviceComm>();
        check->attachChannel(&item);
    } else {
        sink = std::make_unique<SentenceSink>(&channel);
    }

    SplitReference reference;
    reference.residualMax = residualMax;
    std::deque<std::string> expected;
    bool waitSeen = false;
    uint32_t lcg = 0x9e3779b9u ^ ctl;
    while (pos < size) {
        lcg = lcg * 1664525u + 1013904223u;
        const size_t len = std::min(size - pos, 1 + (lcg >> 8) % chunkLimit);
        const QByteArray chunk(reinterpret_cast<const char *>(data + pos), static_cast<int>(len));
        pos += len;
        for (std::string &piece : reference.split(chunk.toStdString())) {
            // The wait ends at the first line that holds its text.
            if (withWait && !waitSeen && containsWait(piece, waitString))
                waitSeen = true;
            expected.push_back(std::move(piece));
        }
        channel.dataReceived(chunk, false);
        FUZZ_CHECK(channel.rawHandle()->residualText() == reference.residual);
    }

    if (withWait)
        FUZZ_CHECK(channel.rawHandle()->isWaiting() == !waitSeen);

    if (sink) {
        // Every line comes out exactly as the direct cut makes it, in order.
        FUZZ_CHECK(sink->lines == expected);
        for (const std::string &line : sink->lines) {
            FUZZ_CHECK(!line.empty());
            FUZZ_CHECK(line.back() == '\n' || line.back() == '\r');
        }
    } else {
        // The check stops at the first accepted answer; the rest stays queued
        // (a later answer of another model may still replace the record).
        FUZZ_CHECK(check->m_bDevChecked == ((check->m_oCmdHandle.m_iStatus & 1) == 1));
        CCommandHandle handle;
        handle.setTargetType(CDeviceComm::kTargetType);
        std::string line;
        while (channel.rawHandle()->getSentence(line))
            checkOneLine(handle, line);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzOne(data, size);
    FuzzEnv::settle();
    return 0;
}
