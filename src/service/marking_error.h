// The failure of a marking, already rolled back and worded for the terminal.
// It keeps the database's error that caused it (code, SQLSTATE, and whether a
// rival transaction got there first, so the import can retry).
#pragma once

#include "common/exception.h"
#include "db/connection.h"

#include <optional>

namespace service {

class MarkingError : public velmora::Exception {
public:
    MarkingError(const std::string& message, std::optional<db::DatabaseError> cause)
        : velmora::Exception(message), cause_(std::move(cause)) {}
    // Empty when the failure did not come from the database.
    const std::optional<db::DatabaseError>& cause() const noexcept { return cause_; }
    bool updateConflict() const noexcept { return cause_ && cause_->updateConflict(); }

private:
    std::optional<db::DatabaseError> cause_;
};

}  // namespace service
