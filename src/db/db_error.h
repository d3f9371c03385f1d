// A failure reported by Firebird: the client's message, its first error code
// and SQLSTATE (for callers that tell failures apart), and whether another
// transaction got there first (worth retrying the whole unit).
#pragma once

#include "common/exception.h"

#include <cstdint>
#include <string>

namespace db {

class DatabaseError : public velmora::EDatabaseError {
public:
    explicit DatabaseError(const std::string& message, std::intptr_t errorCode = 0, std::string sqlState = {},
                           bool updateConflict = false)
        : velmora::EDatabaseError(message),
          errorCode_(errorCode),
          sqlState_(std::move(sqlState)),
          updateConflict_(updateConflict) {}

    // Firebird's code (isc_*), 0 for a failure the adapter itself found.
    std::intptr_t errorCode() const noexcept { return errorCode_; }
    // Five characters ("42000"), empty when the client gave none.
    const std::string& sqlState() const noexcept { return sqlState_; }
    // An update conflict, deadlock or lock timeout with a concurrent transaction.
    bool updateConflict() const noexcept { return updateConflict_; }

private:
    std::intptr_t errorCode_;
    std::string sqlState_;
    bool updateConflict_;
};

}  // namespace db
