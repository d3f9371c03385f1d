// A failure reported by Firebird: the client's message, plus whether it was an
// update conflict with a concurrent transaction (worth retrying the whole unit).
#pragma once

#include "common/exception.h"

namespace db {

class DatabaseError : public velmora::EDatabaseError {
public:
    DatabaseError(const std::string& message, bool updateConflict = false)
        : velmora::EDatabaseError(message), updateConflict_(updateConflict) {}
    bool updateConflict() const noexcept { return updateConflict_; }

private:
    bool updateConflict_;
};

} // namespace db
