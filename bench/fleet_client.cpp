// The fleet's HTTP client and answer reading.
#include "fleet_client.h"

#include <charconv>
#include <cstring>
#include <stdexcept>

namespace fleet {
namespace {

// No call may wait without a bound; a call this slow fails the run.
constexpr long kCallTimeoutMs = 120000;

// A large answer is read in slices of this size; smaller ones whole.
constexpr std::size_t kSlice = 1 << 20;
constexpr std::size_t kHead = 4096;  // holds the answer's array and its size

// Appends the value of every complete `field` element of `text` to `keys`;
// returns where the last one ended.
std::size_t collectKeys(std::string_view text, std::string_view field, std::vector<std::string>& keys) {
    const std::string open = "<" + std::string(field) + " ", close = "</" + std::string(field) + ">";
    std::size_t done = 0;
    for (;;) {
        const void* at = ::memmem(text.data() + done, text.size() - done, open.data(), open.size());
        if (!at) break;
        const std::size_t tag = static_cast<std::size_t>(static_cast<const char*>(at) - text.data());
        const std::size_t value = text.find('>', tag);
        if (value == std::string_view::npos) break;
        const void* end = ::memmem(text.data() + value, text.size() - value, close.data(), close.size());
        if (!end) break;
        const std::size_t stop = static_cast<std::size_t>(static_cast<const char*>(end) - text.data());
        keys.emplace_back(text.substr(value + 1, stop - value - 1));
        done = stop + close.size();
    }
    return done;
}

std::size_t append(char* data, std::size_t size, std::size_t count, void* exchange) {
    Exchange& x = *static_cast<Exchange*>(exchange);
    x.answer.append(data, size * count);
    if (!x.keyField.empty() && x.answer.size() >= kSlice) {
        if (x.head.empty()) x.head = x.answer.substr(0, kHead);
        x.answer.erase(0, collectKeys(x.answer, x.keyField, x.keys));
    }
    return size * count;
}

void check(CURLcode code) {
    if (code != CURLE_OK) throw std::runtime_error(std::string("libcurl: ") + curl_easy_strerror(code));
}

void check(CURLMcode code) {
    if (code != CURLM_OK) throw std::runtime_error(std::string("libcurl: ") + curl_multi_strerror(code));
}

// The text between `from` and the next `to` after position `at`, or nothing.
std::string_view between(std::string_view text, std::string_view from, std::string_view to, std::size_t at = 0) {
    const std::size_t begin = text.find(from, at);
    if (begin == std::string_view::npos) return {};
    const std::size_t end = text.find(to, begin + from.size());
    if (end == std::string_view::npos) return {};
    return text.substr(begin + from.size(), end - begin - from.size());
}

}  // namespace

Exchange::Exchange(void* lane) : owner(lane), easy(curl_easy_init()) {
    if (!easy) throw std::runtime_error("libcurl: no easy handle");
}

Client::Client(std::string url) : url_(std::move(url)), multi_(curl_multi_init()) {
    if (!multi_) throw std::runtime_error("libcurl: no multi handle");
    // Every connection of every lane stays in the cache until the lane closes it.
    check(curl_multi_setopt(multi_.get(), CURLMOPT_MAXCONNECTS, 100000L));
}

Client::~Client() = default;

void Client::send(Exchange& x, std::string_view operation, const Params& params, std::string_view keyField, bool fresh,
                  bool last) {
    std::size_t h = 0;
    while (h < headers_.size() && headers_[h].first != operation) ++h;
    if (h == headers_.size()) {
        curl_slist* list = curl_slist_append(nullptr, "Content-Type: text/xml; charset=utf-8");
        list = curl_slist_append(list,
                                 ("SOAPAction: \"urn:VelmoraIntf-IVelmora#" + std::string(operation) + "\"").c_str());
        list = curl_slist_append(list, "Expect:");
        headers_.emplace_back(std::string(operation), std::unique_ptr<curl_slist, ListFree>(list));
    }
    x.request = stress::requestEnvelope(operation, params);
    x.operation = operation;
    x.keyField = keyField;
    x.head.clear();
    x.answer.clear();
    x.keys.clear();
    x.status = 0;
    x.error[0] = 0;
    CURL* e = x.easy.get();
    check(curl_easy_setopt(e, CURLOPT_URL, url_.c_str()));
    check(curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers_[h].second.get()));
    check(curl_easy_setopt(e, CURLOPT_POSTFIELDS, x.request.data()));
    check(curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE, static_cast<long>(x.request.size())));
    check(curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, append));
    check(curl_easy_setopt(e, CURLOPT_WRITEDATA, &x));
    check(curl_easy_setopt(e, CURLOPT_PRIVATE, &x));
    check(curl_easy_setopt(e, CURLOPT_ERRORBUFFER, x.error));
    check(curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, kCallTimeoutMs));
    check(curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L));
    check(curl_easy_setopt(e, CURLOPT_FRESH_CONNECT, fresh ? 1L : 0L));
    check(curl_easy_setopt(e, CURLOPT_FORBID_REUSE, last ? 1L : 0L));
    x.sent = Clock::now();
    check(curl_multi_add_handle(multi_.get(), e));
    ++inFlight_;
}

void Client::wait(int timeoutMs, const std::function<void(Exchange&)>& done) {
    int running = 0;
    check(curl_multi_poll(multi_.get(), nullptr, 0, timeoutMs, nullptr));
    check(curl_multi_perform(multi_.get(), &running));
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_.get(), &left)) {
        if (message->msg != CURLMSG_DONE) continue;
        CURL* e = message->easy_handle;
        void* owner = nullptr;
        curl_easy_getinfo(e, CURLINFO_PRIVATE, &owner);
        Exchange& x = *static_cast<Exchange*>(owner);
        x.result = message->data.result;
        x.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - x.sent).count();
        curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &x.status);
        check(curl_multi_remove_handle(multi_.get(), e));
        --inFlight_;
        done(x);
    }
}

void Client::wakeup() { curl_multi_wakeup(multi_.get()); }

std::string readAnswer(Exchange& x) {
    if (x.result != CURLE_OK) return std::string("no answer: ") + (x.error[0] ? x.error : curl_easy_strerror(x.result));
    const std::string_view rest = x.answer, start = x.head.empty() ? rest : std::string_view(x.head);
    if (x.status != 200) return "HTTP " + std::to_string(x.status) + ": " + std::string(start.substr(0, 200));
    if (start.find("<SOAP-ENV:Fault>") != std::string_view::npos)
        return "fault: " + std::string(between(start, "<faultstring>", "</faultstring>"));
    const std::string response = "<NS1:" + std::string(x.operation) + "Response ";
    if (start.find(response) == std::string_view::npos || rest.find("</SOAP-ENV:Envelope>") == std::string_view::npos)
        return "not its SOAP answer: " + std::string(start.substr(0, 200));
    if (x.keyField.empty()) return {};

    // The array says how many records follow; each carries its key once.
    const std::string_view size = between(start, "SOAP-ENC:arrayType=\"", "\"");
    std::size_t records = 0;
    const std::size_t open = size.rfind('[');
    if (open == std::string_view::npos ||
        std::from_chars(size.data() + open + 1, size.data() + size.size(), records).ec != std::errc{})
        return "no record array: " + std::string(start.substr(0, 200));
    collectKeys(rest, x.keyField, x.keys);
    if (x.keys.size() != records)
        return "the array holds " + std::to_string(records) + " records, " + std::to_string(x.keys.size()) +
               " of them with a " + std::string(x.keyField);
    return {};
}

}  // namespace fleet
