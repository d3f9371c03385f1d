// Dispatch: method types, path patterns, the rule (action items, then
// components in order, then the default action) and the page for a handler
// that fails.
#include "host_test_io.h"

#include "common/exception.h"
#include "host/cgi_response.h"
#include "host/dispatch.h"

#include <gtest/gtest.h>

using namespace host;
using hosttest::makeRequest;

namespace {

// Records who was asked, in order.
using Trace = std::vector<std::string>;

class RecordingComponent final : public DispatchingComponent {
public:
    RecordingComponent(std::string name, MethodType method, std::string path, Trace& trace, bool handles = true)
        : DispatchingComponent(std::move(name), Route(method, std::move(path))), trace_(trace), handles_(handles) {}
    bool dispatchRequest(const WebRequest&, WebResponse& response) override {
        trace_.push_back(name());
        if (handles_) response.setContent(name());
        return handles_;
    }

private:
    Trace& trace_;
    bool handles_;
};

ActionHandler recordingHandler(std::string name, Trace& trace, bool handles = true) {
    return [name, &trace, handles](const WebRequest&, WebResponse& response, bool& handled) {
        trace.push_back(name);
        response.setContent(name);
        handled = handles;
    };
}

struct Outcome {
    bool handled;
    Trace trace;
};

Outcome dispatch(WebModule& module, Trace& trace, const std::string& method, const std::string& path) {
    trace.clear();
    auto request = makeRequest({"REQUEST_METHOD=" + method, "PATH_INFO=" + path, "SERVER_PROTOCOL=HTTP/1.1"});
    WebResponse response(request.protocolVersion());
    const bool handled = module.dispatch(request, response);
    return {handled, trace};
}

// The bytes of the response to a request the module handled.
std::string answer(WebModule& module, const std::vector<std::string>& env) {
    auto request = makeRequest(env);
    WebResponse response(request.protocolVersion());
    EXPECT_TRUE(module.dispatch(request, response));
    return hosttest::written(response);
}

}  // namespace

TEST(MethodTypes, KnownMethodsInAnyLetterCaseEveryOtherIsAny) {
    const std::pair<const char*, MethodType> cases[] = {{"GET", mtGet},   {"get", mtGet},   {"PUT", mtPut},
                                                        {"POST", mtPost}, {"Head", mtHead}, {"DELETE", mtAny},
                                                        {"POSTX", mtAny}, {"", mtAny}};
    for (const auto& [method, expected] : cases) EXPECT_EQ(methodTypeFromText(method), expected) << method;
}

TEST(PathPattern, ConfiguredTextIsNormalizedToAnAbsolutePattern) {
    EXPECT_EQ(PathPattern("soap*").text(), "/soap*");
    EXPECT_EQ(PathPattern("/wsdl*").text(), "/wsdl*");
    EXPECT_EQ(PathPattern("\\soap\\x*").text(), "/soap/x*");
    EXPECT_EQ(PathPattern("").text(), "/");
    // Backslashes written in the configuration match forward slashes in paths.
    EXPECT_TRUE(PathPattern("a\\b").matches("/a/b"));
}

TEST(PathPattern, SoapPrefixMatchesWholePathInAnyLetterCase) {
    const PathPattern soap("soap*");
    for (const char* path : {"/soap", "/SOAP", "/Soap/anything", "/soap/IVelmora", "/SOAP/IVelmora", "/soapx"})
        EXPECT_TRUE(soap.matches(path)) << path;
    for (const char* path : {"/x/soap", "soap", "", "/", "/soa", "//soap"}) EXPECT_FALSE(soap.matches(path)) << path;
}

TEST(PathPattern, RootPatternMatchesOnlyTheRoot) {
    const PathPattern root("/");
    EXPECT_TRUE(root.matches("/"));
    EXPECT_FALSE(root.matches(""));
    EXPECT_FALSE(root.matches("/x"));
    EXPECT_FALSE(root.matches("//"));
}

TEST(PathPattern, WildcardsAndSets) {
    EXPECT_TRUE(PathPattern("/a?c").matches("/abc"));
    EXPECT_FALSE(PathPattern("/a?c").matches("/ac"));
    EXPECT_FALSE(PathPattern("/a?c").matches("/abbc"));

    const PathPattern range("/v[0-9]");
    EXPECT_TRUE(range.matches("/v0"));
    EXPECT_TRUE(range.matches("/v9"));
    EXPECT_FALSE(range.matches("/vx"));
    EXPECT_FALSE(range.matches("/v10"));

    // Sets ignore letter case like the rest of the pattern.
    const PathPattern letters("/[a-c]x");
    EXPECT_TRUE(letters.matches("/Bx"));
    EXPECT_FALSE(letters.matches("/dx"));

    const PathPattern negated("/[!a-c]x");
    EXPECT_TRUE(negated.matches("/dx"));
    EXPECT_FALSE(negated.matches("/bx"));
    EXPECT_FALSE(negated.matches("/Bx"));
    EXPECT_FALSE(negated.matches("/x")) << "a negated set still takes one character";

    const PathPattern listed("/[xyz-]");
    EXPECT_TRUE(listed.matches("/y"));
    EXPECT_TRUE(listed.matches("/-"));
    EXPECT_FALSE(listed.matches("/w"));
}

TEST(PathPattern, StarsBacktrack) {
    const PathPattern p("/*a*b");
    EXPECT_TRUE(p.matches("/aab"));
    EXPECT_TRUE(p.matches("/xaxxbxb"));
    EXPECT_FALSE(p.matches("/xbxa"));
    EXPECT_TRUE(PathPattern("/*").matches("/"));
    EXPECT_TRUE(PathPattern("/**x").matches("/yyx"));
    EXPECT_TRUE(PathPattern("/*.wsil").matches("/doc.WSIL"));
    EXPECT_FALSE(PathPattern("/*.wsil").matches("/doc.wsi"));
}

TEST(PathPattern, TooManyStarGroupsOrAnOpenSetAreRejected) {
    std::string thirty = "/";
    for (int i = 0; i < 30; ++i) thirty += "*x";
    EXPECT_NO_THROW(PathPattern{thirty});
    // A run of stars is a single group.
    std::string twentyNineAndARun = "/";
    for (int i = 0; i < 29; ++i) twentyNineAndARun += "*x";
    EXPECT_NO_THROW(PathPattern{twentyNineAndARun + "***x"});

    const std::string thirtyOne = thirty + "*";
    try {
        PathPattern{thirtyOne};
        FAIL() << "31 star groups accepted";
    } catch (const velmora::Exception& e) {
        EXPECT_EQ(std::string(e.what()), "'" + thirtyOne + "' is an invalid mask at (62)");
    }

    try {
        PathPattern{"ab[cd"};
        FAIL() << "open set accepted";
    } catch (const velmora::Exception& e) {
        EXPECT_STREQ(e.what(), "'/ab[cd' is an invalid mask at (4)");
    }
}

TEST(WebModuleDispatch, ComponentsAreTriedInOrderByMethodAndPath) {
    Trace trace;
    WebModule module;
    module.addComponent(std::make_unique<RecordingComponent>("Soap", mtPost, "soap*", trace));
    module.addComponent(std::make_unique<RecordingComponent>("Wsdl", mtAny, "wsdl*", trace));
    module.addComponent(std::make_unique<RecordingComponent>("Late", mtAny, "*", trace));

    EXPECT_EQ(dispatch(module, trace, "POST", "/SOAP/IVelmora").trace, Trace{"Soap"});
    EXPECT_EQ(dispatch(module, trace, "GET", "/soap").trace, Trace{"Late"});
    EXPECT_EQ(dispatch(module, trace, "DELETE", "/soap").trace, Trace{"Late"}) << "an unknown method is mtAny";
    EXPECT_EQ(dispatch(module, trace, "HEAD", "/wsdl/IVelmora").trace, Trace{"Wsdl"});
    EXPECT_EQ(dispatch(module, trace, "POST", "/x/soap").trace, Trace{"Late"});
}

TEST(WebModuleDispatch, DeclinedComponentsPassTheRequestOn) {
    Trace trace;
    WebModule module;
    module.addComponent(std::make_unique<RecordingComponent>("Declines", mtAny, "*", trace, false));
    module.addComponent(std::make_unique<RecordingComponent>("Takes", mtAny, "*", trace));
    const Outcome outcome = dispatch(module, trace, "GET", "/any");
    EXPECT_TRUE(outcome.handled);
    EXPECT_EQ(outcome.trace, (Trace{"Declines", "Takes"}));
}

TEST(WebModuleDispatch, ActionItemsComeFirstAndTheDefaultActionLast) {
    Trace trace;
    WebModule module;
    module.addAction(WebActionItem{"Root", Route(mtAny, "/"), recordingHandler("Root", trace), /*isDefault=*/true});
    module.addComponent(std::make_unique<RecordingComponent>("Soap", mtPost, "soap*", trace));
    module.addComponent(std::make_unique<RecordingComponent>("Wsdl", mtAny, "wsdl*", trace));

    EXPECT_EQ(dispatch(module, trace, "GET", "/").trace, Trace{"Root"});
    EXPECT_EQ(dispatch(module, trace, "POST", "/soap").trace, Trace{"Soap"});
    // Anything else falls to the default action without any test of its path.
    for (const char* method : {"GET", "PUT", "HEAD", "DELETE"}) {
        const Outcome outcome = dispatch(module, trace, method, "/soap");
        EXPECT_EQ(outcome.trace, Trace{"Root"}) << method;
        EXPECT_TRUE(outcome.handled);
    }
    EXPECT_EQ(dispatch(module, trace, "GET", "").trace, Trace{"Root"});
}

TEST(WebModuleDispatch, LastDefaultItemWins) {
    Trace trace;
    WebModule module;
    module.addAction(WebActionItem{"First", Route(mtAny, "/never"), recordingHandler("First", trace), true});
    module.addAction(WebActionItem{"Second", Route(mtAny, "/never"), recordingHandler("Second", trace), true});
    EXPECT_EQ(dispatch(module, trace, "GET", "/x").trace, Trace{"Second"});
}

TEST(WebModuleDispatch, HandlerThatClearsTheFlagLetsOthersTry) {
    Trace trace;
    WebModule module;
    module.addAction(WebActionItem{"Peek", Route(mtAny, "/*"), recordingHandler("Peek", trace, false)});
    module.addComponent(std::make_unique<RecordingComponent>("Soap", mtPost, "soap*", trace));
    EXPECT_EQ(dispatch(module, trace, "POST", "/soap").trace, (Trace{"Peek", "Soap"}));
    const Outcome nobody = dispatch(module, trace, "GET", "/soap");
    EXPECT_FALSE(nobody.handled);
    EXPECT_EQ(nobody.trace, Trace{"Peek"});
}

TEST(WebModuleFailure, FailingHandlerGivesTheEscapedApplicationErrorPage) {
    WebModule module;
    module.addAction(WebActionItem{"Boom", Route(mtAny, "/*"), [](const WebRequest&, WebResponse&, bool&) {
                                       throw velmora::Exception("bad <b>&</b>\r\nsecond line");
                                   }});
    const std::string page =
        "<html><body><h1>Internal Application Error</h1>\r\n"
        "<p>bad &lt;b&gt;&amp;&lt;/b&gt;\r\nsecond line\r\n"
        "<p><hr width=\"100%\"><i>/x&lt;script&gt;</i></body></html>";
    EXPECT_EQ(answer(module, {"REQUEST_METHOD=GET", "PATH_INFO=/x<script>", "SERVER_PROTOCOL=HTTP/1.1"}),
              "Status: 500 Internal Server Error\r\nContent-Type: text/html\r\nContent-Length: " +
                  std::to_string(page.size()) + "\r\nContent:\r\n\r\n" + page);
}

TEST(WebModuleFailure, PageKeepsTheContentTypeTheHandlerLeft) {
    WebModule module;
    module.addAction(WebActionItem{"Boom", Route(mtAny, "/*"), [](const WebRequest&, WebResponse& response, bool&) {
                                       response.setContentType("text/xml");
                                       throw std::runtime_error("late");
                                   }});
    EXPECT_EQ(answer(module, {"PATH_INFO=/p", "SERVER_PROTOCOL=HTTP/1.1"}).substr(0, 59),
              "Status: 500 Internal Server Error\r\nContent-Type: text/xml\r\n");
}
