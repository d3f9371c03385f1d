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
    bool failed() const noexcept { return (wrapper_.getState() & Firebird::IStatus::STATE_ERRORS) != 0; }
    // Throws DatabaseError when the last call failed. The client clears the
    // status at the start of every call, so check after each one.
    void check() {
        if (failed()) raise();
    }
    // The value a call returned, once its status is checked:
    //   c.type = st.checked(meta->getType(st.get(), i));
    template <class T>
    T checked(T value) {
        check();
        return value;
    }
    [[noreturn]] void raise();

private:
    Handle<Firebird::IStatus> owned_;
    Firebird::CheckStatusWrapper wrapper_;
};

}  // namespace db::fb
