#include "app/ServiceOutput.h"

#include <QByteArray>
#include <QDateTime>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

struct ServiceOutput::State {
    int fd;
    qsizetype capacity;
    std::mutex lock;
    std::condition_variable wake, drained;
    std::deque<QByteArray> queue;
    qsizetype queued = 0;  // bytes in queue
    qint64 dropped = 0;    // not yet said
    qint64 droppedAll = 0; // in all
    bool writing = false;  // the thread holds a batch
    bool finishing = false;
};

namespace {

// false when the reader has gone (EPIPE) or the descriptor cannot be written.
bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
#ifdef _WIN32
        const auto n = ::_write(fd, bytes.constData() + done, unsigned(bytes.size() - done));
#else
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
#endif
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

void run(std::shared_ptr<ServiceOutput::State> s) {
    bool gone = false;
    std::unique_lock<std::mutex> hold(s->lock);
    for (;;) {
        s->wake.wait(hold, [&] { return !s->queue.empty() || s->dropped > 0 || s->finishing; });
        if (s->queue.empty() && s->dropped == 0) break; // finishing, all written
        std::deque<QByteArray> batch;
        batch.swap(s->queue);
        s->queued = 0;
        // Everything queued came before the lines that found the buffer full.
        const qint64 dropped = s->dropped;
        s->dropped = 0;
        s->writing = true;
        hold.unlock();
        QByteArray bytes;
        for (const QByteArray& l : batch)
            bytes += l;
        if (dropped > 0)
            bytes += QDateTime::currentDateTime()
                         .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                         .toUtf8() +
                     " " + QByteArray::number(dropped) +
                     " lines of output were dropped while standard error was not read\n";
        if (!gone) gone = !writeAll(s->fd, bytes);
        hold.lock();
        s->writing = false;
        s->drained.notify_all();
    }
    s->writing = false;
    s->drained.notify_all();
}

// Qt's messages as lines of their own; set while an output takes them.
ServiceOutput* g_qtOwner = nullptr;
void qtMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (g_qtOwner) g_qtOwner->line(text);
}

} // namespace

ServiceOutput::ServiceOutput(int fd, qsizetype capacity) : m_state(std::make_shared<State>()) {
    m_state->fd = fd;
    m_state->capacity = capacity;
    std::thread(run, m_state).detach();
}

ServiceOutput::~ServiceOutput() {
    if (g_qtOwner == this) {
        qInstallMessageHandler(nullptr);
        g_qtOwner = nullptr;
    }
    std::unique_lock<std::mutex> hold(m_state->lock);
    m_state->finishing = true;
    m_state->wake.notify_all();
    // A reader that reads gets the last lines ("Stopped"); one that does not is not waited for.
    m_state->drained.wait_for(hold, std::chrono::seconds(2), [&] {
        return m_state->queue.empty() && m_state->dropped == 0 && !m_state->writing;
    });
}

void ServiceOutput::line(const QString& text) {
    QByteArray bytes = text.toUtf8();
    bytes += '\n';
    std::lock_guard<std::mutex> hold(m_state->lock);
    if (m_state->queued + bytes.size() > m_state->capacity) {
        ++m_state->dropped;
        ++m_state->droppedAll;
        return;
    }
    m_state->queued += bytes.size();
    m_state->queue.push_back(std::move(bytes));
    m_state->wake.notify_one();
}

qint64 ServiceOutput::dropped() const {
    std::lock_guard<std::mutex> hold(m_state->lock);
    return m_state->droppedAll;
}

void ServiceOutput::takeQtMessages() {
    g_qtOwner = this;
    qInstallMessageHandler(qtMessage);
}
