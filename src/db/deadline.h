// The time limit on a call's database work. The client waits for a server
// that stopped answering with no bound of its own, so past the deadline the
// watchdog aborts the work of every attachment the call watches, through the
// client's own call (IAttachment::cancelOperation with fb_cancel_abort, which
// closes the connection from this side). The call blocked in the client then
// fails at once, and the operation answers with its usual fault; the server
// rolls back what the aborted transaction did. An attach is bounded by the
// client itself, to the time left (isc_dpb_connect_timeout, see open()):
// there is no attachment to abort yet.
#pragma once

#include "common/watchdog.h"
#include "db/firebird.h"

#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

namespace db {

class Deadline {
public:
    // Starts now; one runs at a time in a process (the call's).
    explicit Deadline(std::chrono::seconds limit);
    ~Deadline();
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

    // The running deadline, or nullptr.
    static const Deadline* running() noexcept;

    // Opens the connection, giving up at the deadline, and watches it:
    // DatabaseError with failure()'s text when no time is left.
    void open(Connection& connection, ConnectParams params);
    // From now on the connection's work is aborted at the deadline; the
    // connection must be open.
    void watch(Connection& connection);
    // Once the deadline has passed or a stop cut the work short: what a call
    // that lost its connection then reports instead of the client's words
    // (a read error, a rejected attach), which would mislead.
    std::optional<std::string> failure() const;

private:
    // On the watchdog's thread.
    void abortWatched() noexcept;
    // The time left (less once a stop has brought the deadline forward), at
    // least 1 s; DatabaseError with failure()'s text when none is left.
    std::chrono::seconds left() const;

    std::chrono::seconds limit_;
    velmora::Watchdog::Clock::time_point end_;
    std::mutex mutex_;  // the attachments, between the call and the watchdog
    std::deque<fb::Ref<Firebird::IAttachment>> watched_;
    // Last: it goes first, so no abort runs once the attachments are let go.
    velmora::Watchdog::Alarm alarm_;
};

}  // namespace db
