// The fleet's HTTP side: SOAP calls through libcurl's multi interface, many
// at once from one thread, each call on an exchange of its own (a terminal's
// lane), and what a terminal makes of the answer. A lane opens a connection
// at the start of an activity, keeps it alive through its calls and closes it
// after the last one, as a till that wakes up, syncs and goes quiet again.
#pragma once

#include "stress/soap_messages.h"

#include <curl/curl.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fleet {

using Clock = std::chrono::steady_clock;
using stress::Params;  // a call's parameters, as the stress tests' terminals send them

// CURL and CURLM are both void: a deleter each.
struct EasyFree {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MultiFree {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct ListFree {
    void operator()(curl_slist* s) const { curl_slist_free_all(s); }
};

// One call in flight, or the last one's answer.
struct Exchange {
    explicit Exchange(void* owner);
    void* owner;  // the lane it belongs to
    std::unique_ptr<CURL, EasyFree> easy;
    std::string request, answer;
    std::string_view operation;  // the SOAP operation
    Clock::time_point sent;
    double milliseconds = 0;
    long status = 0;  // HTTP status, 0 without an answer
    CURLcode result = CURLE_OK;
    char error[CURL_ERROR_SIZE] = {};
};

class Client {
public:
    // url: http://HOST:PORT/<program>/soap/IVelmora
    explicit Client(std::string url);
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Sends one SOAP call on the exchange: on a new connection when `fresh`,
    // closing it after the answer when `last`.
    void send(Exchange& exchange, std::string_view operation, const Params& params, bool fresh, bool last);
    // Waits at most timeoutMs for answers, then hands every finished
    // exchange to `done`.
    void wait(int timeoutMs, const std::function<void(Exchange&)>& done);
    // Ends a wait early; safe from another thread.
    void wakeup();
    int inFlight() const { return inFlight_; }

private:
    std::string url_;
    std::unique_ptr<CURLM, MultiFree> multi_;
    std::vector<std::pair<std::string, std::unique_ptr<curl_slist, ListFree>>> headers_;  // per operation
    int inFlight_ = 0;
};

// What a terminal reads in an answer: whether it is the operation's SOAP
// answer, and for an import the value of the key field of every record.
struct Reading {
    std::string problem;                 // empty when the answer is good
    std::vector<std::string_view> keys;  // views into the answer
};
Reading readAnswer(const Exchange& exchange, std::string_view keyField);

}  // namespace fleet
