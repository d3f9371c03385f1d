// The call's deadline and the abort at its end.
#include "db/deadline.h"

#include <algorithm>

namespace db {
namespace {

using Clock = velmora::Watchdog::Clock;

const Deadline* current = nullptr;

}  // namespace

Deadline::Deadline(std::chrono::seconds limit)
    : limit_(limit), end_(Clock::now() + limit), alarm_(end_, [this] { abortWatched(); }) {
    current = this;
}

Deadline::~Deadline() {
    if (current == this) current = nullptr;
}

const Deadline* Deadline::running() noexcept { return current; }

void Deadline::abortWatched() noexcept {
    const std::lock_guard lock(mutex_);
    for (const fb::Ref<Firebird::IAttachment>& attachment : watched_) {
        fb::Status st;
        attachment->cancelOperation(st.get(), fb_cancel_abort);
    }
}

void Deadline::watch(Connection& connection) {
    Firebird::IAttachment* attachment = connection.impl().attached();
    const std::lock_guard lock(mutex_);
    watched_.emplace_back().reset(attachment);
}

void Deadline::open(Connection& connection, ConnectParams params) {
    // The client takes whole seconds for an attach.
    params.timeLimit = left();
    connection.open(params);
    watch(connection);
}

std::chrono::seconds Deadline::left() const {
    if (const std::optional<std::string> text = failure()) throw DatabaseError(*text);
    return std::max(std::chrono::ceil<std::chrono::seconds>(alarm_.deadline() - Clock::now()), std::chrono::seconds(1));
}

std::optional<std::string> Deadline::failure() const {
    switch (alarm_.outcome()) {
    case velmora::Watchdog::Alarm::Outcome::RangOnStop:
        return "The process is stopping: its work on the database was aborted";
    case velmora::Watchdog::Alarm::Outcome::Rang: break;
    case velmora::Watchdog::Alarm::Outcome::Pending:
        if (Clock::now() < end_) return std::nullopt;
        break;
    }
    return "No answer from the database within " + std::to_string(limit_.count()) + " s";
}

}  // namespace db
