// Standard error of the run without windows, written so that it never holds the line: lines
// are handed to a writer thread through a bounded buffer, and the main thread (polling, the
// data log, the watchdog's keep-alive) never waits on a reader. A reader that stalls (a pipe
// nobody reads, a terminal paused with Ctrl-S) costs lines of output, which are counted and
// said once it reads again; a reader that has gone costs nothing more.
#pragma once

#include <QString>
#include <memory>

class ServiceOutput {
public:
    // Writes to fd; at most capacity bytes wait for a slow reader.
    explicit ServiceOutput(int fd, qsizetype capacity = 256 * 1024);
    // Waits a moment for what is queued to reach a reader that reads, never for one that
    // does not.
    ~ServiceOutput();
    ServiceOutput(const ServiceOutput&) = delete;
    ServiceOutput& operator=(const ServiceOutput&) = delete;

    // One line, without its line end; from any thread.
    void line(const QString& text);
    // Lines dropped so far because the buffer was full.
    qint64 dropped() const;

    // Qt's own warnings go the same way while it lives.
    void takeQtMessages();

    struct State; // the buffer and the writer's state, shared with the writer thread

private:
    std::shared_ptr<State> m_state; // shared with the writer thread, which may outlive us
};
