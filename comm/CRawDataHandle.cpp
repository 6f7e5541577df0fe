#include "comm/CRawDataHandle.h"

#include "platform/clock/SysClock.h"
#include "log/SysLog.h"

#include <QMutexLocker>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace COMM {

namespace {
constexpr size_t npos = std::string::npos;

// Position of the first CR LF in [from, end), or npos.
size_t findCrLf(const char *buf, size_t from, size_t end)
{
    while (from + 1 < end) {
        const void *hit = std::memchr(buf + from, '\r', end - from - 1);
        if (hit == nullptr)
            return npos;
        const size_t at = static_cast<const char *>(hit) - buf;
        if (buf[at + 1] == '\n')
            return at;
        from = at + 1;
    }
    return npos;
}

size_t findByte(const char *buf, size_t from, size_t end, char byte)
{
    if (from >= end)
        return npos;
    const void *hit = std::memchr(buf + from, byte, end - from);
    return hit ? static_cast<size_t>(static_cast<const char *>(hit) - buf) : npos;
}

void warnRunDropped(size_t max)
{
    AIS_LOG(SysLevel::Warning, "COMM::CRawDataHandle::splitLines",
            "Text without line end longer than %zu bytes is dropped", max);
}

// Bookkeeping beside a queue, done under the same lock; none by default.
struct NoBookkeeping {
    template <typename... Args>
    void operator()(const Args &...) const {}
};

template <typename Queue, typename Bookkeeping = NoBookkeeping>
void swapOut(QMutex &mutex, Queue &queue, Bookkeeping emptied = {})
{
    Queue old;
    {
        QMutexLocker locker(&mutex);
        old.swap(queue);
        emptied();
    }
    // old's elements are destroyed here, outside the lock
}

template <typename Queue, typename T, typename Bookkeeping = NoBookkeeping>
bool takeFront(QMutex &mutex, Queue &queue, T &out, Bookkeeping taken = {})
{
    QMutexLocker locker(&mutex);
    if (queue.empty())
        return false;
    out = std::move(queue.front());
    queue.pop_front();
    taken(out);
    return true;
}
}  // namespace

CRawDataHandle::~CRawDataHandle()
{
    clearAll();
}

void CRawDataHandle::appendToRawQ(const QByteArray &data)
{
    std::optional<std::deque<QByteArray>> dropped;
    QMutexLocker locker(&mutex);
    pushRawLocked(data, dropped);
    locker.unlock();
    // dropped's elements are destroyed here, outside the lock
}

void CRawDataHandle::appendToMsgQ(const QByteArray &data, bool splitLinesOn)
{
    if (msgCount() >= kMsgMax) {
        clearMsgQ();
        AIS_LOG(SysLevel::Warning, "COMM::CRawDataHandle::appendToMsgQ", "many messages dosn't process in queue");
    }
    if (!splitLinesOn) {
        QMutexLocker locker(&mutex);
        msgQ.push_back(data);
        return;
    }
    std::deque<std::string> pieces = splitLines(data.constData(), static_cast<size_t>(data.size()));
    QMutexLocker locker(&mutex);
    for (std::string &piece : pieces) {
        normalizeLineEnd(piece);
        if (piece == "\r\n")
            continue;
        msgQ.push_back(QByteArray(piece.c_str()));
    }
}

void CRawDataHandle::appendToSentQ(const QByteArray &data)
{
    std::optional<std::deque<std::string>> dropped;
    QMutexLocker locker(&mutex);
    const bool runDropped = pushSentencesLocked(data, dropped);
    const size_t max = residualMax;
    locker.unlock();
    if (dropped)
        AIS_LOG(SysLevel::Warning, "COMM::CRawDataHandle::appendToSentQ", "many sentence dosn't process in queue");
    if (runDropped)
        warnRunDropped(max);
    // dropped's elements are destroyed here, outside the lock
}

void CRawDataHandle::appendToRawAndSentQ(const QByteArray &data)
{
    std::optional<std::deque<QByteArray>> droppedRaw;
    std::optional<std::deque<std::string>> droppedSent;
    QMutexLocker locker(&mutex);
    pushRawLocked(data, droppedRaw);
    const bool runDropped = pushSentencesLocked(data, droppedSent);
    const size_t max = residualMax;
    locker.unlock();
    if (droppedSent)
        AIS_LOG(SysLevel::Warning, "COMM::CRawDataHandle::appendToSentQ", "many sentence dosn't process in queue");
    if (runDropped)
        warnRunDropped(max);
}

void CRawDataHandle::pushRawLocked(const QByteArray &data, std::optional<std::deque<QByteArray>> &dropped)
{
    // Nothing takes raw chunks out; the bound keeps a long-lived channel
    // from growing without limit.
    if (rawQ.size() >= kRawMax || rawBytes + static_cast<size_t>(data.size()) > kRawBytesMax) {
        dropped.emplace().swap(rawQ);
        rawBytes = 0;
    }
    // A chunk read from a port keeps the spare capacity of the read (tens of
    // KiB for a few bytes): kept as it is, a flood of small chunks would pin
    // that much memory per element. The queue holds a copy of the bytes only.
    rawQ.emplace_back(data.constData(), data.size());
    rawBytes += static_cast<size_t>(data.size());
}

bool CRawDataHandle::pushSentencesLocked(const QByteArray &data, std::optional<std::deque<std::string>> &dropped)
{
    // The limit is applied once, before the chunk's pieces are added; the
    // pieces go straight into the queue.
    if (sentQ.size() >= kSentMax)
        dropped.emplace().swap(sentQ);
    return cutLocked(data.constData(), static_cast<size_t>(data.size()),
                     [this](std::string &&piece) { sentQ.push_back(std::move(piece)); });
}

void CRawDataHandle::appendToBinQ(const QByteArray &data)
{
    if (binCount() >= kBinMax) {
        clearBinQ();
        AIS_LOG(SysLevel::Warning, "COMM::CRawDataHandle::appendToBinQ", "many binaray datas dosn't process in queue");
    }
    QMutexLocker locker(&mutex);
    binQ.push_back(data);
}

void CRawDataHandle::appendToCmdQ(const QByteArray &data)
{
    if (cmdCount() >= kCmdMax) {
        clearCmdQ();
        AIS_LOG(SysLevel::Warning, "COMM::CRawDataHandle::appendToCmdQ", "many command datas dosn't process in queue");
    }
    QMutexLocker locker(&mutex);
    cmdQ.push_back(data);
}

bool CRawDataHandle::getSentence(std::string &out)
{
    return takeFront(mutex, sentQ, out);
}

bool CRawDataHandle::takeRaw(QByteArray &out)
{
    return takeFront(mutex, rawQ, out,
                     [this](const QByteArray &chunk) { rawBytes -= static_cast<size_t>(chunk.size()); });
}
bool CRawDataHandle::takeMsg(QByteArray &out) { return takeFront(mutex, msgQ, out); }
bool CRawDataHandle::takeBin(QByteArray &out) { return takeFront(mutex, binQ, out); }
bool CRawDataHandle::takeCmd(QByteArray &out) { return takeFront(mutex, cmdQ, out); }

size_t CRawDataHandle::rawCount() const { QMutexLocker l(&mutex); return rawQ.size(); }
size_t CRawDataHandle::msgCount() const { QMutexLocker l(&mutex); return msgQ.size(); }
size_t CRawDataHandle::sentCount() const { QMutexLocker l(&mutex); return sentQ.size(); }
size_t CRawDataHandle::binCount() const { QMutexLocker l(&mutex); return binQ.size(); }
size_t CRawDataHandle::cmdCount() const { QMutexLocker l(&mutex); return cmdQ.size(); }

std::string CRawDataHandle::residualText() const
{
    QMutexLocker locker(&mutex);
    return residual;
}

void CRawDataHandle::clearRawQ()
{
    swapOut(mutex, rawQ, [this] { rawBytes = 0; });
}
void CRawDataHandle::clearMsgQ() { swapOut(mutex, msgQ); }
void CRawDataHandle::clearSentQ() { swapOut(mutex, sentQ); }
void CRawDataHandle::clearBinQ() { swapOut(mutex, binQ); }
void CRawDataHandle::clearCmdQ() { swapOut(mutex, cmdQ); }

void CRawDataHandle::clearAll()
{
    {
        QMutexLocker locker(&mutex);
        residual.clear();
        skippingRun = false;
    }
    clearRawQ();
    clearMsgQ();
    clearSentQ();
    clearBinQ();
    clearCmdQ();
}

void CRawDataHandle::clearWait()
{
    QMutexLocker locker(&mutex);
    waitStart = 0;
    waitTimeout = 0;
    std::memset(waitText, 0, sizeof waitText);
}

void CRawDataHandle::setWait(int timeoutMs, const char text[kWaitTextMax])
{
    QMutexLocker locker(&mutex);
    waitStart = SysClock::steadyMs();
    waitTimeout = timeoutMs;
    std::memcpy(waitText, text, sizeof waitText);
}

CRawDataHandle::WaitState CRawDataHandle::waitState() const
{
    QMutexLocker locker(&mutex);
    WaitState state;
    state.start = waitStart;
    state.timeout = waitTimeout;
    std::memcpy(state.text, waitText, sizeof state.text);
    return state;
}

bool CRawDataHandle::isWaiting() const
{
    QMutexLocker locker(&mutex);
    return waitTimeout > 0;
}

void CRawDataHandle::endWaitIfSeenLocked(const std::string &piece)
{
    if (waitTimeout == 0)
        return;
    const size_t len = strnlen(waitText, sizeof waitText);
    if (piece.find(waitText, 0, len) == npos)
        return;
    waitStart = 0;
    waitTimeout = 0;
    std::memset(waitText, 0, sizeof waitText);
}

std::deque<std::string> CRawDataHandle::splitLines(const std::string &data)
{
    return splitLines(data.data(), data.size());
}

std::deque<std::string> CRawDataHandle::splitLines(const char *data, size_t size)
{
    std::deque<std::string> pieces;
    QMutexLocker locker(&mutex);
    const bool runDropped =
        cutLocked(data, size, [&pieces](std::string &&piece) { pieces.push_back(std::move(piece)); });
    const size_t max = residualMax;
    locker.unlock();
    if (runDropped)
        warnRunDropped(max);
    return pieces;
}

void CRawDataHandle::setResidualMax(size_t max)
{
    QMutexLocker locker(&mutex);
    residualMax = max;
}

template <typename Sink>
bool CRawDataHandle::cutLocked(const char *data, size_t size, Sink &&sink)
{
    // The carried-over text holds no CR, LF or NUL (it would have been cut
    // or dropped), so every terminator lies in the new bytes: they are
    // searched where they are, and the carried text only joins the first
    // piece. Neither the chunk nor the carried text is copied as a whole.
    // While an over-long run is skipped nothing is carried.
    const size_t carried = residual.size();
    const size_t total = carried + size;
    // The text ends at the first NUL: nothing after it is searched or kept.
    const void *nul = size > 0 ? std::memchr(data, '\0', size) : nullptr;
    const size_t end = nul ? static_cast<size_t>(static_cast<const char *>(nul) - data) : size;

    // A piece ends at the first CR LF anywhere in the remaining text; only
    // when none is left at the first LF; only when neither is left at the
    // first CR. Each cached position is the first of its kind at or after
    // the previous offset, so every byte is examined a bounded number of
    // times.
    constexpr size_t unknown = npos - 1;
    size_t crlf = unknown, lf = unknown, cr = unknown;
    size_t offset = 0;
    size_t count = 0;
    while (true) {
        const size_t from = offset;
        size_t stop = npos;
        if (crlf != npos && (crlf == unknown || crlf < from))
            crlf = findCrLf(data, from, end);
        if (crlf != npos) {
            stop = crlf + 1;
        } else {
            if (lf != npos && (lf == unknown || lf < from))
                lf = findByte(data, from, end, '\n');
            if (lf != npos) {
                stop = lf;
            } else {
                if (cr != npos && (cr == unknown || cr < from))
                    cr = findByte(data, from, end, '\r');
                stop = cr;
            }
        }
        if (stop == npos) {
            // Unterminated tail: it waits for the next chunk, unless it has
            // outgrown the bound (any peer could otherwise fill the memory).
            if (skippingRun)
                return false;
            const size_t tail = offset == 0 ? carried + end : end - offset;
            if (tail > residualMax) {
                std::string().swap(residual);
                skippingRun = true;
                return true;
            }
            if (offset == 0) {
                if (end > 0)
                    residual.append(data, end);
            } else {
                residual.assign(data + offset, end - offset);
            }
            return false;
        }
        if (skippingRun) {
            // The line end of the dropped run: its last piece goes with it.
            skippingRun = false;
        } else {
            std::string piece;
            if (offset == 0 && carried > 0) {
                piece.reserve(carried + stop + 1);
                piece.append(residual).append(data, stop + 1);
            } else {
                piece.assign(data + offset, stop + 1 - offset);
            }
            endWaitIfSeenLocked(piece);
            sink(std::move(piece));
        }
        offset = stop + 1;
        ++count;
        if (count > total || offset == size)
            break;
    }
    residual.clear();
    return false;
}

void CRawDataHandle::normalizeLineEnd(std::string &text)
{
    if (text.find("\r\n") != npos)
        return;
    if (!text.empty() && text.back() == '\n') {
        text.insert(text.size() - 1, 1, '\r');
        return;
    }
    if (text.empty() || text.back() != '\r')
        text.push_back('\r');
    text.push_back('\n');
}

}  // namespace COMM
