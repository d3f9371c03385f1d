// The fleet's queue audit.
#include "fleet_audit.h"

#include <algorithm>

namespace fleet {

std::string Audit::idOf(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key) {
    std::string id;
    id.reserve(company.size() + ecf.size() + table.size() + key.size() + 3);
    id.append(company).append("/").append(ecf).append("/").append(table).append("/").append(key);
    return id;
}

void Audit::add(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key, long n) {
    const auto at = balance_.try_emplace(idOf(company, ecf, table, key), 0).first;
    at->second += n;
    if (at->second == 0) balance_.erase(at);
}

void Audit::queued(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key,
                   long count) {
    std::lock_guard lock(mutex_);
    add(company, ecf, table, key, count);
    queued_ += count;
}

void Audit::delivered(std::string_view company, std::string_view ecf, std::string_view table,
                      const std::vector<std::string>& keys) {
    std::lock_guard lock(mutex_);
    for (const std::string& key : keys) add(company, ecf, table, key, -1);
    delivered_ += static_cast<long>(keys.size());
}

void Audit::unacknowledged(std::string_view company, std::string_view ecf, std::string_view table,
                           const std::vector<std::string>& keys) {
    std::lock_guard lock(mutex_);
    for (const std::string& key : keys) ++excused_[idOf(company, ecf, table, key)];
}

void Audit::pending(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key) {
    std::lock_guard lock(mutex_);
    add(company, ecf, table, key, -1);
    ++pending_;
}

Audit::Result Audit::result() const {
    std::lock_guard lock(mutex_);
    Result r{queued_, delivered_, pending_, 0, 0, 0, {}};
    for (const auto& [id, n] : balance_) {
        long fault = n;
        if (n < 0) {
            const auto excused = excused_.find(id);
            const long again = excused == excused_.end() ? 0 : std::min(-n, excused->second);
            r.redelivered += again;
            fault += again;
        }
        if (fault == 0) continue;
        (fault > 0 ? r.missing : r.surplus) += fault > 0 ? fault : -fault;
        if (r.examples.size() < 5)
            r.examples.push_back(
                id + (fault > 0 ? ": queued and never delivered x" : ": delivered beyond its queue rows x") +
                std::to_string(fault > 0 ? fault : -fault));
    }
    return r;
}

}  // namespace fleet
