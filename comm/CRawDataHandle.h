#pragma once

#include <QByteArray>
#include <QMutex>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace COMM {

// Receive-side buffer of one channel: cuts received text into lines, keeps
// bounded FIFO queues and holds the reply-wait state of the transmit side.
// Every operation may be called from any thread.
class CRawDataHandle {
public:
    static constexpr size_t kMsgMax = 1000;
    static constexpr size_t kSentMax = 1000;
    static constexpr size_t kBinMax = 1000;
    static constexpr size_t kCmdMax = 100;
    static constexpr size_t kRawMax = 1000;
    // Bytes the raw queue may hold: a flood of large chunks (a network peer)
    // would otherwise pin up to kRawMax read buffers.
    static constexpr size_t kRawBytesMax = 1024 * 1024;
    static constexpr int kWaitTextMax = 128;
    // Most text held back waiting for its line end; a longer run is dropped
    // up to and including its line end.
    static constexpr size_t kResidualMax = 64 * 1024;

    struct WaitState {
        int64_t start = 0;
        int32_t timeout = 0;
        char text[kWaitTextMax] = {};
    };

    CRawDataHandle() = default;
    ~CRawDataHandle();
    CRawDataHandle(const CRawDataHandle &) = delete;
    CRawDataHandle &operator=(const CRawDataHandle &) = delete;

    void appendToRawQ(const QByteArray &data);
    void appendToMsgQ(const QByteArray &data, bool splitLines);
    void appendToSentQ(const QByteArray &data);
    // appendToRawQ then appendToSentQ, under one lock: the sentence kind's
    // step for every chunk read from the port.
    void appendToRawAndSentQ(const QByteArray &data);
    void appendToBinQ(const QByteArray &data);
    void appendToCmdQ(const QByteArray &data);

    // Takes the oldest sentence; false (out untouched) when there is none.
    bool getSentence(std::string &out);
    // Take the oldest element of the other queues; false when empty.
    bool takeRaw(QByteArray &out);
    bool takeMsg(QByteArray &out);
    bool takeBin(QByteArray &out);
    bool takeCmd(QByteArray &out);

    size_t rawCount() const;
    size_t msgCount() const;
    size_t sentCount() const;
    size_t binCount() const;
    size_t cmdCount() const;
    std::string residualText() const;

    void clearRawQ();
    void clearMsgQ();
    void clearSentQ();
    void clearBinQ();
    void clearCmdQ();
    void clearAll();

    // Reply wait of the transmit side.
    void clearWait();
    void setWait(int timeoutMs, const char text[kWaitTextMax]);
    WaitState waitState() const;
    bool isWaiting() const;

    // Cuts the chunk appended to the carried-over text into terminated lines
    // and keeps the unterminated tail for the next chunk.
    std::deque<std::string> splitLines(const std::string &data);
    std::deque<std::string> splitLines(const char *data, size_t size);
    static void normalizeLineEnd(std::string &text);
    // The bound of the carried-over text (kResidualMax unless changed).
    void setResidualMax(size_t max);

private:
    void endWaitIfSeenLocked(const std::string &piece);
    // With the lock held; a queue found full is swapped into dropped.
    void pushRawLocked(const QByteArray &data, std::optional<std::deque<QByteArray>> &dropped);
    // True when an over-long unterminated run was dropped.
    bool pushSentencesLocked(const QByteArray &data, std::optional<std::deque<std::string>> &dropped);
    // The cut of splitLines on the locked handle; each piece goes to sink.
    // True when the unterminated text outgrew residualMax and was dropped.
    template <typename Sink>
    bool cutLocked(const char *data, size_t size, Sink &&sink);

    mutable QMutex mutex;
    std::string residual;
    size_t residualMax = kResidualMax;
    // An over-long run was dropped; its rest, up to its line end, goes too.
    bool skippingRun = false;
    std::deque<QByteArray> rawQ;
    size_t rawBytes = 0;
    std::deque<QByteArray> msgQ;
    std::deque<std::string> sentQ;
    std::deque<QByteArray> binQ;
    std::deque<QByteArray> cmdQ;
    int64_t waitStart = 0;
    int32_t waitTimeout = 0;
    char waitText[kWaitTextMax] = {};
};

}  // namespace COMM
