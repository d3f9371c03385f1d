// Method types, path pattern compilation and matching, and the dispatch rule
// of the web module with its answer to a failing handler.
#include "host/dispatch.h"

#include "common/exception.h"
#include "common/limits.h"
#include "common/text.h"
#include "host/cgi_request.h"
#include "host/cgi_response.h"
#include "host/error_pages.h"

namespace host {

MethodType methodTypeFromText(std::string_view method) noexcept {
    if (velmora::equalsIgnoringCase(method, "GET")) return mtGet;
    if (velmora::equalsIgnoringCase(method, "PUT")) return mtPut;
    if (velmora::equalsIgnoringCase(method, "POST")) return mtPost;
    if (velmora::equalsIgnoringCase(method, "HEAD")) return mtHead;
    return mtAny;
}

// --- Path patterns

namespace {

[[noreturn]] void invalidMask(const std::string& pattern, std::size_t index) {
    throw velmora::Exception("'" + pattern + "' is an invalid mask at (" + std::to_string(index + 1) + ")");
}

unsigned char byte(char c) noexcept { return static_cast<unsigned char>(c); }

}  // namespace

PathPattern::PathPattern(std::string_view configured) {
    text_.reserve(configured.size() + 1);
    if (configured.empty() || (configured.front() != '/' && configured.front() != '\\')) text_.push_back('/');
    for (char c : configured) text_.push_back(c == '\\' ? '/' : c);

    int starGroups = 0;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        const char c = text_[i];
        if (c == '*') {
            // A run of "*" is one group and one token.
            if (!tokens_.empty() && tokens_.back().kind == Kind::AnyRun) continue;
            if (++starGroups > velmora::limits::kMaxPatternStarGroups) invalidMask(text_, i);
            tokens_.push_back({Kind::AnyRun, 0, 0});
        } else if (c == '?') {
            tokens_.push_back({Kind::AnyOne, 0, 0});
        } else if (c == '[') {
            const std::size_t open = i;
            std::size_t j = i + 1;
            bool negate = false;
            if (j < text_.size() && text_[j] == '!') {
                negate = true;
                ++j;
            }
            std::bitset<256> set;
            auto addFolded = [&set](char ch) {
                set.set(byte(ch));
                set.set(byte(velmora::asciiLower(ch)));
                set.set(byte(velmora::asciiUpper(ch)));
            };
            while (j < text_.size() && text_[j] != ']') {
                const char first = text_[j];
                if (j + 2 < text_.size() && text_[j + 1] == '-' && text_[j + 2] != ']') {
                    const char last = text_[j + 2];
                    for (int ch = byte(first); ch <= byte(last); ++ch) addFolded(static_cast<char>(ch));
                    j += 3;
                } else {
                    addFolded(first);
                    ++j;
                }
            }
            if (j >= text_.size()) invalidMask(text_, open);
            if (negate) set.flip();
            sets_.push_back(set);
            tokens_.push_back({Kind::Set, 0, sets_.size() - 1});
            i = j;
        } else {
            tokens_.push_back({Kind::Literal, velmora::asciiLower(c), 0});
        }
    }
}

bool PathPattern::tokenMatches(const Token& token, char c) const noexcept {
    switch (token.kind) {
    case Kind::Literal: return velmora::asciiLower(c) == token.literal;
    case Kind::AnyOne: return true;
    case Kind::Set: return sets_[token.setIndex].test(byte(c));
    case Kind::AnyRun: break;
    }
    return false;
}

bool PathPattern::matches(std::string_view path) const noexcept {
    // Greedy scan that backtracks to the last "*": every other token takes
    // exactly one character, so this is linear for the patterns in use.
    std::size_t t = 0, p = 0;
    std::size_t starToken = std::string::npos, starPath = 0;
    while (p < path.size()) {
        if (t < tokens_.size() && tokens_[t].kind == Kind::AnyRun) {
            starToken = t++;
            starPath = p;
        } else if (t < tokens_.size() && tokenMatches(tokens_[t], path[p])) {
            ++t;
            ++p;
        } else if (starToken != std::string::npos) {
            t = starToken + 1;
            p = ++starPath;
        } else {
            return false;
        }
    }
    while (t < tokens_.size() && tokens_[t].kind == Kind::AnyRun) ++t;
    return t == tokens_.size();
}

bool Route::matches(MethodType method, std::string_view pathInfo) {
    if (methodType_ != mtAny && methodType_ != method) return false;
    if (!pattern_) pattern_.emplace(pathInfo_);
    return pattern_->matches(pathInfo);
}

// --- The dispatch rule

namespace {

bool run(const WebActionItem& item, const WebRequest& request, WebResponse& response) {
    bool handled = true;
    if (item.onAction) item.onAction(request, response, handled);
    return handled;
}

}  // namespace

bool WebModule::dispatch(const WebRequest& request, WebResponse& response) {
    try {
        return dispatchUnguarded(request, response);
    } catch (const std::exception& error) {
        response.setStatusCode(500);
        response.setContent(applicationErrorPage(error.what(), request.pathInfo()));
        return true;
    }
}

bool WebModule::dispatchUnguarded(const WebRequest& request, WebResponse& response) {
    const MethodType method = methodTypeFromText(request.method());
    const std::string& path = request.pathInfo();

    bool handled = false;
    const WebActionItem* defaultAction = nullptr;
    for (WebActionItem& item : actions_) {
        if (handled) break;
        if (item.route.matches(method, path)) handled = run(item, request, response);
        if (item.isDefault) defaultAction = &item;
    }
    for (auto& component : components_) {
        if (handled) break;
        if (component->route().matches(method, path)) handled = component->dispatchRequest(request, response);
    }
    if (!handled && defaultAction != nullptr) handled = run(*defaultAction, request, response);
    return handled;
}

}  // namespace host
