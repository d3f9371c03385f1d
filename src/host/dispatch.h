// The web module's dispatch: method types, path patterns, action items and
// dispatching components, and the rule that offers a request to each in turn.
#pragma once

#include <bitset>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class WebRequest;
class WebResponse;

// The request method as the dispatch rule sees it: four known methods, and
// mtAny for every other one (and, on a route, "any method").
enum MethodType { mtAny = 0, mtGet = 1, mtPut = 2, mtPost = 3, mtHead = 4 };

// "GET", "PUT", "POST", "HEAD" in any letter case; anything else is mtAny.
MethodType methodTypeFromText(std::string_view method) noexcept;

// A path pattern: matches the whole path information without regard to
// letter case, with "*", "?" and "[set]" wildcards.
class PathPattern {
public:
    // `configured` is the text as configured ("soap*"): every "\" becomes "/"
    // and a leading "/" is added when missing. Throws velmora::Exception
    // "'<pattern>' is an invalid mask at (<position>)" for a pattern with more
    // than kMaxPatternStarGroups "*" groups or an unclosed set.
    explicit PathPattern(std::string_view configured);

    bool matches(std::string_view pathInfo) const noexcept;

    // The normalized pattern ("/soap*").
    const std::string& text() const noexcept { return text_; }

private:
    enum class Kind : unsigned char { Literal, AnyOne, AnyRun, Set };
    struct Token {
        Kind kind;
        char literal;          // Kind::Literal, lower case
        std::size_t setIndex;  // Kind::Set, index into sets_
    };

    bool tokenMatches(const Token& token, char c) const noexcept;

    std::string text_;
    std::vector<Token> tokens_;
    std::vector<std::bitset<256>> sets_;
};

// What an action item or a component answers to: a method (mtAny for every
// method) and a path pattern. The pattern is compiled on first use, so that
// an invalid one fails inside dispatch and gets the application error page.
class Route {
public:
    Route(MethodType methodType, std::string pathInfo) : methodType_(methodType), pathInfo_(std::move(pathInfo)) {}

    bool matches(MethodType method, std::string_view pathInfo);

private:
    MethodType methodType_;
    std::string pathInfo_;
    std::optional<PathPattern> pattern_;
};

// Receives the handled flag set to true; leaving it true claims the request.
using ActionHandler = std::function<void(const WebRequest&, WebResponse&, bool& handled)>;

// An action item: a handler chosen by its route, or run as the default action
// when nothing else handled the request.
struct WebActionItem {
    std::string name;
    Route route;
    ActionHandler onAction;
    bool isDefault = false;
};

// A component offered the request after the action items (the SOAP
// dispatcher, the publisher).
class DispatchingComponent {
public:
    DispatchingComponent(std::string name, Route route) : name_(std::move(name)), route_(std::move(route)) {}
    virtual ~DispatchingComponent() = default;
    DispatchingComponent(const DispatchingComponent&) = delete;
    DispatchingComponent& operator=(const DispatchingComponent&) = delete;

    const std::string& name() const noexcept { return name_; }
    Route& route() noexcept { return route_; }

    // Returns whether the request was handled; the host writes the response.
    virtual bool dispatchRequest(const WebRequest& request, WebResponse& response) = 0;

private:
    std::string name_;
    Route route_;
};

// Holds the action items and components of the process and routes the
// request to the first that takes it.
class WebModule {
public:
    // Kept in the order added: that order is the order they are tried in.
    void addAction(WebActionItem item) { actions_.push_back(std::move(item)); }
    void addComponent(std::unique_ptr<DispatchingComponent> component) { components_.push_back(std::move(component)); }

    // Action items, then components, then the (last) default action. A
    // failure raised meanwhile is answered with status 500 and the
    // application error page, and counts as handled. Returns whether the
    // request was handled; the host writes the response of a handled one.
    bool dispatch(const WebRequest& request, WebResponse& response);

private:
    bool dispatchUnguarded(const WebRequest& request, WebResponse& response);

    std::vector<WebActionItem> actions_;
    std::vector<std::unique_ptr<DispatchingComponent>> components_;
};

}  // namespace host
