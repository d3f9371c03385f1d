// The watchdog's thread and its alarms.
#include "common/watchdog.h"

#include "common/limits.h"

#include <pthread.h>

#include <algorithm>
#include <csignal>

namespace velmora {
namespace {

using namespace std::chrono;

// A stop asked for and not yet read: SIGTERM or SIGINT pending for the
// process, as they stay while a FastCGI process keeps them blocked. (Where
// they are not blocked, a CGI process, they act at once and never wait here.)
bool stopPending() {
    sigset_t pending;
    return ::sigpending(&pending) == 0 && (sigismember(&pending, SIGTERM) == 1 || sigismember(&pending, SIGINT) == 1);
}

// Blocks every signal in the calling thread for as long as it lives: a thread
// started meanwhile inherits the mask, and no signal meant for the program
// is ever taken by the watchdog.
class AllSignalsBlocked {
public:
    AllSignalsBlocked() {
        sigset_t all;
        sigfillset(&all);
        ::pthread_sigmask(SIG_SETMASK, &all, &previous_);
    }
    ~AllSignalsBlocked() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    AllSignalsBlocked(const AllSignalsBlocked&) = delete;
    AllSignalsBlocked& operator=(const AllSignalsBlocked&) = delete;

private:
    sigset_t previous_;
};

}  // namespace

Watchdog& Watchdog::instance() {
    static Watchdog watchdog;
    return watchdog;
}

Watchdog::~Watchdog() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

Watchdog::Alarm::Alarm(Clock::time_point deadline, std::function<void()> action)
    : watchdog_(Watchdog::instance()), deadline_(deadline), action_(std::move(action)) {
    watchdog_.add(*this);
}

Watchdog::Alarm::~Alarm() { watchdog_.remove(*this); }

Watchdog::Alarm::Outcome Watchdog::Alarm::outcome() const {
    const std::lock_guard lock(watchdog_.mutex_);
    return outcome_;
}

Watchdog::Clock::time_point Watchdog::Alarm::deadline() const {
    const std::lock_guard lock(watchdog_.mutex_);
    return deadline_;
}

void Watchdog::add(Alarm& alarm) {
    {
        const std::lock_guard lock(mutex_);
        if (!thread_.joinable()) {
            const AllSignalsBlocked blocked;
            thread_ = std::thread(&Watchdog::run, this);
        }
        if (stopSeen_) shorten(alarm, Clock::now());
        alarms_.push_back(&alarm);
        // The thread wakes by itself in time for a later deadline: most
        // alarms go before they ring, and a wake-up per alarm would cost
        // each request a few context switches.
        if (alarm.deadline_ >= wakeAt_) return;
    }
    changed_.notify_all();
}

void Watchdog::remove(Alarm& alarm) noexcept {
    // Waits for an action that is running: it runs under the mutex.
    const std::lock_guard lock(mutex_);
    std::erase(alarms_, &alarm);
}

void Watchdog::shorten(Alarm& alarm, Clock::time_point now) {
    const Clock::time_point grace = now + seconds(limits::kStopGraceSeconds);
    if (grace < alarm.deadline_) {
        alarm.deadline_ = grace;
        alarm.cutShort_ = true;
    }
}

void Watchdog::run() {
    std::unique_lock lock(mutex_);
    while (!ending_) {
        const bool pending =
            std::ranges::any_of(alarms_, [](const Alarm* a) { return a->outcome_ == Alarm::Outcome::Pending; });
        if (!pending) {
            wakeAt_ = Clock::time_point::max();
            changed_.wait(lock);
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (!stopSeen_ && stopPending()) {
            stopSeen_ = true;
            for (Alarm* alarm : alarms_) shorten(*alarm, now);
        }
        Clock::time_point next = Clock::time_point::max();
        for (Alarm* alarm : alarms_) {
            if (alarm->outcome_ != Alarm::Outcome::Pending) continue;
            if (alarm->deadline_ <= now) {
                alarm->outcome_ = alarm->cutShort_ ? Alarm::Outcome::RangOnStop : Alarm::Outcome::Rang;
                alarm->action_();
            } else {
                next = std::min(next, alarm->deadline_);
            }
        }
        // A stop is looked for while something waits; nothing else wakes us.
        if (!stopSeen_) next = std::min(next, now + milliseconds(limits::kStopCheckMilliseconds));
        wakeAt_ = next;
        if (next != Clock::time_point::max()) changed_.wait_until(lock, next);
    }
}

}  // namespace velmora
