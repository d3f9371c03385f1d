// The failure of a marking, already rolled back and worded for the terminal;
// it remembers whether a rival transaction caused it, so the import can retry.
#pragma once

#include "common/exception.h"

namespace service {

class MarkingError : public velmora::Exception {
public:
    MarkingError(const std::string& message, bool updateConflict)
        : velmora::Exception(message), updateConflict_(updateConflict) {}
    bool updateConflict() const noexcept { return updateConflict_; }

private:
    bool updateConflict_;
};

} // namespace service
