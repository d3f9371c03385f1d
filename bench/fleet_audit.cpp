// The fleet's queue audit.
#include "fleet_audit.h"

namespace fleet {

void Audit::add(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key, long n) {
    std::string id;
    id.reserve(company.size() + ecf.size() + table.size() + key.size() + 3);
    id.append(company).append("/").append(ecf).append("/").append(table).append("/").append(key);
    const auto at = balance_.try_emplace(std::move(id), 0).first;
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

void Audit::pending(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key) {
    std::lock_guard lock(mutex_);
    add(company, ecf, table, key, -1);
    ++pending_;
}

Audit::Result Audit::result() const {
    std::lock_guard lock(mutex_);
    Result r{queued_, delivered_, pending_, 0, 0, {}};
    for (const auto& [id, n] : balance_) {
        (n > 0 ? r.missing : r.surplus) += n > 0 ? n : -n;
        if (r.examples.size() < 5)
            r.examples.push_back(id +
                                 (n > 0 ? ": queued and never delivered x" : ": delivered beyond its queue rows x") +
                                 std::to_string(n > 0 ? n : -n));
    }
    return r;
}

}  // namespace fleet
