// A status vector for client calls, and the conversion of a failed call into
// DatabaseError carrying the client's formatted message.
#pragma once

#include "db/fb_handle.h"

namespace db::fb {

class Status {
public:
    Status() : owned_(master()->getStatus()), wrapper_(owned_.get()) {}
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    // The argument every client call takes.
    Firebird::CheckStatusWrapper* get() noexcept { return &wrapper_; }
    bool failed() const noexcept {
        return (wrapper_.getState() & Firebird::IStatus::STATE_ERRORS) != 0;
    }
    // Throws DatabaseError when the last call failed.
    void check() {
        if (failed()) raise();
    }
    [[noreturn]] void raise();

private:
    Handle<Firebird::IStatus> owned_;
    Firebird::CheckStatusWrapper wrapper_;
};

} // namespace db::fb
