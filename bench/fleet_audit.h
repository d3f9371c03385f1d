// Whether every queue row reached its terminal: the soak's audit made exact
// for a fleet whose terminals each have one till. Every row the writer queues
// counts once for its terminal, table and key; every record an import
// delivers counts it off again, and so does every row still waiting
// unmarked in the queue at the end. Anything left over is a row marked
// without being delivered (or lost otherwise); anything below zero a row
// delivered twice or to the wrong terminal. No drain is needed: the rows
// still pending are read instead.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace fleet {

class Audit {
public:
    // Called by the writer once its transaction committed.
    void queued(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key,
                long count = 1);
    // Called for each record an import's answer holds.
    void delivered(std::string_view company, std::string_view ecf, std::string_view table,
                   const std::vector<std::string>& keys);
    // Called for each row still unmarked in the queue at the end.
    void pending(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key);

    struct Result {
        long queued = 0, delivered = 0, pending = 0;
        long missing = 0;  // queued rows neither delivered nor pending
        long surplus = 0;  // deliveries beyond what was queued
        std::vector<std::string> examples;
        bool ok() const { return missing == 0 && surplus == 0; }
    };
    Result result() const;

private:
    void add(std::string_view company, std::string_view ecf, std::string_view table, std::string_view key, long n);

    mutable std::mutex mutex_;
    std::map<std::string, long, std::less<>> balance_;  // "company/ecf/TABLE/key"
    long queued_ = 0, delivered_ = 0, pending_ = 0;
};

}  // namespace fleet
