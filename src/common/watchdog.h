// Deadlines for the waits the program cannot bound by itself: a database
// call to a server that stopped answering, a read from a web server that
// stopped sending. One thread per process watches the alarms that are set
// and, when a deadline passes, runs its alarm's action (abort the database
// work, cut the connection), which makes the blocked call fail at once.
//
// A stop asked for while an alarm is set (SIGTERM or SIGINT, which a FastCGI
// process keeps blocked and pending until it is between requests) brings
// every deadline, also of alarms set later, to at most kStopGraceSeconds
// away: a process stuck in such a wait still ends within a few seconds.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace velmora {

class Watchdog {
public:
    using Clock = std::chrono::steady_clock;

    // The process's watchdog; its thread starts with the first alarm, with
    // every signal blocked. Whatever holds an alarm until exit (a static)
    // must get the watchdog first, so that the watchdog outlives it.
    static Watchdog& instance();
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Runs its action once, on the watchdog's thread, when the deadline
    // passes, unless the alarm goes first. The action must be quick and must
    // not throw. Once the destructor has returned, the action is not running
    // and never will.
    class Alarm {
    public:
        Alarm(Clock::time_point deadline, std::function<void()> action);
        ~Alarm();
        Alarm(const Alarm&) = delete;
        Alarm& operator=(const Alarm&) = delete;

        enum class Outcome {
            Pending,
            Rang,        // at its deadline
            RangOnStop,  // at the deadline a stop brought forward
        };
        Outcome outcome() const;
        // When it rings, a stop having brought it forward.
        Clock::time_point deadline() const;

    private:
        friend class Watchdog;
        Watchdog& watchdog_;
        Clock::time_point deadline_;  // these two guarded by the watchdog's mutex
        Outcome outcome_ = Outcome::Pending;
        bool cutShort_ = false;
        std::function<void()> action_;
    };

private:
    Watchdog() = default;
    void add(Alarm& alarm);
    void remove(Alarm& alarm) noexcept;
    void run();
    // Brings every deadline to the stop's grace at most (once a stop is seen).
    void shorten(Alarm& alarm, Clock::time_point now);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Alarm*> alarms_;
    Clock::time_point wakeAt_ = Clock::time_point::max();  // when the thread wakes next
    bool stopSeen_ = false;
    bool ending_ = false;
    std::thread thread_;
};

}  // namespace velmora
