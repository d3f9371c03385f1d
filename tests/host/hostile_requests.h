// The machinery of the hostile-request catalogue: requests built from
// envelopes and CGI variables, the answer's head and body checked against an
// expectation, and a fixture that runs a copy of the built CGI program beside
// its INI file and a real embedded demo database, checking after every
// request that the program ended with status 0 and the database is unchanged.
#pragma once

#include "db/connection.h"
#include "db/statement.h"
#include "support/cgi_runner.h"
#include "support/demo_script.h"
#include "support/test_database.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace hostile {

namespace fs = std::filesystem;
using testsupport::CgiOptions;
using testsupport::CgiRun;

inline const std::string kEnvelopeNs = "http://schemas.xmlsoap.org/soap/envelope/";
inline const std::string kEncodingNs = "http://schemas.xmlsoap.org/soap/encoding/";
inline const std::string kDocumentEmpty = "Document is empty\r\nLine: 1\r\n";
inline const std::string kDoctypeRefused = "A document type declaration is not allowed in a SOAP message";

// Memory and time bounds are for the plain build; the sanitizers' shadow
// memory, quarantine and checks get this factor.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr long kSanitizerFactor = 3;
#else
inline constexpr long kSanitizerFactor = 1;
#endif

// ---------------------------------------------------------------------------
// Requests

// A body of many megabytes, written to a file piece by piece and sent from
// there: held whole by the test, it would count in the program's peak RSS.
struct LargeBody {
    std::string prefix;
    char fill = 'A';
    std::size_t fillCount = 0;
    std::string suffix;
    std::size_t size() const { return prefix.size() + fillCount + suffix.size(); }
};

struct Request {
    std::string method = "POST";
    std::string path = "/soap/IVelmora";
    std::string body;
    // NAME=value entries added to (or, same name, replacing) the defaults;
    // "NAME" alone removes the variable.
    std::vector<std::string> env;
    std::optional<LargeBody> large = std::nullopt;  // sent instead of `body`
};

inline std::string envelope(const std::string& bodyContent, const std::string& header = "") {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"" + kEnvelopeNs +
           "\" xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xmlns:SOAP-ENC=\"" +
           kEncodingNs + "\">" + header + "<SOAP-ENV:Body SOAP-ENV:encodingStyle=\"" + kEncodingNs + "\">" +
           bodyContent + "</SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

// An operation element of IVelmora holding the given (already XML) content.
inline std::string operation(const std::string& name, const std::string& content, const std::string& attributes = "") {
    return "<NS1:" + name + " xmlns:NS1=\"urn:VelmoraIntf-IVelmora\"" + attributes + ">" + content + "</NS1:" + name +
           ">";
}

inline std::string param(const std::string& name, const std::string& xmlText) {
    return "<" + name + " xsi:type=\"xsd:string\">" + xmlText + "</" + name + ">";
}

// A call of an operation with text parameters (written as XML already).
inline std::string call(const std::string& op, const std::vector<std::pair<std::string, std::string>>& params) {
    std::string content;
    for (const auto& [name, value] : params) content += param(name, value);
    return envelope(operation(op, content));
}

// An import for a company and terminal that have nothing queued.
inline const std::string kQuietImport = call("ImportaProdutos", {{"PCodEmpresa", "9"}, {"PEcf", "999"}});

inline Request post(std::string body, std::vector<std::string> env = {}) {
    return Request{"POST", "/soap/IVelmora", std::move(body), std::move(env)};
}

inline Request postLarge(LargeBody body) {
    Request r{"POST", "/soap/IVelmora", "", {}, {}};
    r.large = std::move(body);
    return r;
}

inline Request get(std::string path, std::vector<std::string> env = {}) {
    return Request{"GET", std::move(path), "", std::move(env)};
}

// ---------------------------------------------------------------------------
// Answers

struct Answer {
    std::string status;       // "200 OK"
    std::string contentType;  // "" when the head has none
    std::string body;
    std::vector<std::string> headLines;
};

// Splits the output into head and body; a malformed head (an injected line
// among them) is a failure of its own.
inline Answer parseAnswer(const std::string& output) {
    Answer a;
    const std::size_t end = output.find("\r\n\r\n");
    if (!output.starts_with("Status: ") || end == std::string::npos) {
        ADD_FAILURE() << "no CGI head in:\n" << output.substr(0, 400);
        return a;
    }
    a.body = output.substr(end + 4);
    std::optional<std::string> length;
    for (std::size_t start = 0; start < end + 2;) {
        const std::size_t eol = output.find("\r\n", start);
        const std::string line = output.substr(start, eol - start);
        start = eol + 2;
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a bare CR or LF in the head line: " << line;
        a.headLines.push_back(line);
    }
    a.status = a.headLines.front().substr(8);
    for (const std::string& line : a.headLines) {
        if (line.starts_with("Content-Type: ")) a.contentType = line.substr(14);
        if (line.starts_with("Content-Length: ")) length = line.substr(16);
    }
    // The head is the status line, the content type and length when there is
    // content, and the closing "Content:" line: nothing else, in this order.
    std::vector<std::string> expected{"Status: " + a.status};
    if (!a.contentType.empty()) expected.push_back("Content-Type: " + a.contentType);
    if (length) expected.push_back("Content-Length: " + *length);
    expected.push_back("Content:");
    EXPECT_EQ(a.headLines, expected) << "unexpected head lines";
    if (length) {
        EXPECT_EQ(*length, std::to_string(a.body.size())) << "Content-Length is not the body's size";
    } else {
        EXPECT_TRUE(a.body.empty()) << "a body without Content-Length";
    }
    return a;
}

struct Xml {
    explicit Xml(const std::string& s)
        : doc(xmlReadMemory(s.data(), static_cast<int>(s.size()), nullptr, nullptr,
                            XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE)) {}
    ~Xml() { xmlFreeDoc(doc); }
    Xml(const Xml&) = delete;
    Xml& operator=(const Xml&) = delete;

    // The first element with this local name, in document order.
    const xmlNode* find(const char* local, const xmlNode* from = nullptr) const {
        for (const xmlNode* n = from ? from : (doc ? doc->children : nullptr); n; n = n->next) {
            if (n->type == XML_ELEMENT_NODE && std::string_view(reinterpret_cast<const char*>(n->name)) == local)
                return n;
            if (const xmlNode* below = n->children ? find(local, n->children) : nullptr) return below;
        }
        return nullptr;
    }
    static std::string text(const xmlNode* n) {
        if (!n) return "<missing>";
        xmlChar* c = xmlNodeGetContent(n);
        std::string s = c ? reinterpret_cast<const char*>(c) : "";
        xmlFree(c);
        return s;
    }
    static std::string attribute(const xmlNode* n, const char* local) {
        for (const xmlAttr* a = n ? n->properties : nullptr; a; a = a->next)
            if (std::string_view(reinterpret_cast<const char*>(a->name)) == local) return text(a->children);
        return "<absent>";
    }

    xmlDocPtr doc;
};

// What an answer must be. Empty members are not checked.
struct Expect {
    explicit Expect(std::string type = "", std::string statusText = "200 OK")
        : status(std::move(statusText)), contentType(std::move(type)) {}

    std::string status;
    std::string contentType;                     // "" : no Content-Type line
    std::optional<std::string> body;             // the exact body
    std::vector<std::string> contains, absent;   // pieces of the body
    std::optional<std::string> faultCode;        // a SOAP fault with this code...
    std::optional<std::string> faultString;      // ...and this exact message
    std::optional<std::string> faultStringPart;  // ...or a message holding this
    std::optional<std::string> returnArrayType;  // a response whose "return" has this arrayType
    std::optional<std::string> returnText;       // a response whose "return" holds this text
    std::optional<std::string> emptyResponse;    // a response element without children
    long maxRssKb = 0;
    int maxMs = 0;
    long maxCpuMs = 0;

    Expect& exactly(std::string b) { return body = std::move(b), *this; }
    Expect& with(std::string piece) { return contains.push_back(std::move(piece)), *this; }
    Expect& without(std::string piece) { return absent.push_back(std::move(piece)), *this; }
    Expect& rss(long kb) { return maxRssKb = kb, *this; }
    Expect& within(int ms) { return maxMs = ms, *this; }
    Expect& cpu(long ms) { return maxCpuMs = ms, *this; }
};

inline Expect fault(std::string message, std::string code = "SOAP-ENV:Server") {
    Expect e("text/xml");
    e.faultCode = std::move(code);
    e.faultString = std::move(message);
    return e;
}

inline Expect faultHolding(std::string part) {
    Expect e("text/xml");
    e.faultCode = "SOAP-ENV:Server";
    e.faultStringPart = std::move(part);
    return e;
}

// A parse failure: the parser's reason, the line and the start of that line.
inline Expect parseFault(int line) { return faultHolding("\r\nLine: " + std::to_string(line) + "\r\n"); }

// The SOAP dispatcher's own fixed fault when no interface is chosen.
inline Expect dispatcherFault(const std::string& escapedMessage) {
    return Expect("text/xml", "500 Internal Server Error")
        .exactly("<?xml version=\"1.0\" encoding='UTF-8'?> <SOAP-ENV:Envelope xmlns:SOAP-ENV=\"" + kEnvelopeNs +
                 "\" ><SOAP-ENV:Body> <SOAP-ENV:Fault> <faultcode>SOAP-ENV:Server</faultcode><faultstring>" +
                 escapedMessage + "</faultstring></SOAP-ENV:Fault></SOAP-ENV:Body></SOAP-ENV:Envelope>");
}

inline Expect acknowledged() {
    Expect e("text/xml");
    e.emptyResponse = "DeletaIntegECFResponse";
    return e;
}

inline Expect returning(std::string text) {
    Expect e("text/xml");
    e.returnText = std::move(text);
    return e;
}

inline Expect emptyArray(std::string recordType) {
    Expect e("text/xml");
    e.returnArrayType = recordType + "[0]";
    return e;
}

// --- What the publisher answers (its own tests check the pages in detail;
// here only enough to tell one answer from another).

inline Expect servicePage() {
    return Expect("text/html").with("Service Info Page").with("PortTypes:").without("Registered Types");
}
inline Expect servicePageOf(const std::string& portType) {
    return Expect("text/html")
        .with("Service Info Page")
        .with("<span class=\"Off\">" + portType + "</span>")
        .without("PortTypes:");
}
inline Expect servicePageWithTypes() { return Expect("text/html").with("PortTypes:").with("Registered Types"); }
inline Expect inspection() {
    return Expect("text/xml").with("<inspection").with("/wsdl/IVelmora").with("/wsdl/IWSDLPublish");
}
inline Expect listing() { return Expect("text/html").with("WebService Listing"); }
inline Expect wsdlOf(const std::string& port) {
    return Expect("text/xml").with("name=\"IVelmoraservice\"").with("name=\"" + port + "Port\"");
}
inline Expect interfaceNotFound(const std::string& name) {
    return Expect("text/html")
        .exactly("<html><head></head><body><h1>Error Encountered</h1><P>Interface " + name +
                 " not found</P></body></html>\r\n");
}
inline Expect forbidden() {
    return Expect("text/html", "403 Forbidden")
        .exactly("<html><head></head><body><h1>Forbidden (403)</h1><P>Access Forbidden</P></body></html>\r\n");
}
inline Expect publisherNothing() { return Expect().exactly(""); }

// ---------------------------------------------------------------------------
// The fixture: one demo database, one program copy, the state to keep.

class HostileRequests : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        database_ =
            new testsupport::TestDatabase(testsupport::demoScript("schema.sql") + testsupport::demoScript("data.sql"));
        std::string tmpl = (fs::temp_directory_path() / "velmora-hostile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        directory_ = tmpl;
        // The program reads its INI file from its own directory.
        program_ = directory_ + "/velmora.cgi";
        fs::copy_file(testsupport::velmoraCgiPath(), program_);
        const db::ConnectParams p = database_->params();
        std::ofstream(directory_ + "/caminhoBDIntegECF.ini")
            << "[DATABASE]\r\nCAMINHO=" << p.database << "\r\nUSUARIO=" << p.user << "\r\nSENHA=" << p.password
            << "\r\n";
        initialState_ = new std::string(databaseState());
    }
    static void TearDownTestSuite() {
        delete initialState_;
        delete database_;
        std::error_code ignored;
        fs::remove_all(directory_, ignored);
    }

    // Every queue row in full and the row count of every table: what any
    // request could have changed.
    static std::string databaseState() {
        db::Connection c;
        c.open(database_->params());
        db::Transaction reading(c, db::Isolation::ReadOnly);
        std::string state;
        {
            db::Statement s(reading, "select * from integecf order by id");
            db::Cursor r = s.open();
            while (r.next()) {
                for (std::size_t i = 0; i < r.columnCount(); ++i) {
                    state += r.isNull(i) ? "<null>" : r.text(i);
                    state += '|';
                }
                state += '\n';
            }
        }
        std::vector<std::string> tables;
        {
            db::Statement s(reading,
                            "select trim(rdb$relation_name) from rdb$relations "
                            "where rdb$system_flag = 0 and rdb$view_blr is null order by 1");
            db::Cursor r = s.open();
            while (r.next()) tables.push_back(r.text(0));
        }
        for (const std::string& t : tables) {
            db::Statement s(reading, "select count(*) from " + t);
            db::Cursor r = s.open();
            r.next();
            state += t + "=" + r.text(0) + "\n";
        }
        return state;
    }

    struct FileDescriptor {
        int fd = -1;
        ~FileDescriptor() {
            if (fd >= 0) ::close(fd);
        }
    };

    // An unlinked temporary file holding the body, positioned at its start.
    static int writeLargeBody(const LargeBody& body) {
        const int fd = ::open(fs::temp_directory_path().c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd < 0) throw std::runtime_error("cannot create a temporary file");
        const auto put = [fd](std::string_view piece) {
            if (::write(fd, piece.data(), piece.size()) != static_cast<ssize_t>(piece.size()))
                throw std::runtime_error("cannot write the temporary file");
        };
        put(body.prefix);
        const std::string chunk(1 << 20, body.fill);
        for (std::size_t left = body.fillCount; left > 0; left -= std::min(left, chunk.size()))
            put(std::string_view(chunk).substr(0, std::min(left, chunk.size())));
        put(body.suffix);
        ::lseek(fd, 0, SEEK_SET);
        return fd;
    }

    static std::vector<std::string> environment(const Request& request) {
        std::map<std::string, std::string> vars{
            {"PATH_INFO", request.path},
            {"SERVER_PROTOCOL", "HTTP/1.1"},
            {"SCRIPT_NAME", "/velmora.cgi"},
            {"SERVER_PORT", "80"},
            {"HTTP_HOST", "localhost"},
            {"CONTENT_TYPE", "text/xml"},
            {"CONTENT_LENGTH", std::to_string(request.large ? request.large->size() : request.body.size())},
        };
        if (!request.method.empty()) vars["REQUEST_METHOD"] = request.method;
        // The embedded engine's settings and the sanitizers' pass through,
        // as a web server passes what it is configured to.
        for (const char* name : {"FIREBIRD", "FIREBIRD_LOCK", "FIREBIRD_TMP", "LD_LIBRARY_PATH", "TMPDIR",
                                 "ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
            if (const char* value = std::getenv(name)) vars[name] = value;
        for (const std::string& entry : request.env) {
            const std::size_t eq = entry.find('=');
            if (eq == std::string::npos)
                vars.erase(entry);
            else
                vars[entry.substr(0, eq)] = entry.substr(eq + 1);
        }
        std::vector<std::string> env;
        for (const auto& [name, value] : vars) env.push_back(name + "=" + value);
        return env;
    }

    // Sends the request, checks the answer, the exit and the database.
    static void expectAnswer(const Request& request, const Expect& expect) {
        CgiOptions options;
        options.timeoutMs = 120000;
        FileDescriptor largeBody;
        if (request.large) options.inputFd = largeBody.fd = writeLargeBody(*request.large);
        const auto started = std::chrono::steady_clock::now();
        const CgiRun run = testsupport::runCgi(program_, environment(request), request.body, options);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();

        EXPECT_TRUE(run.exited) << "the program did not end by itself";
        EXPECT_EQ(run.exitStatus, 0) << "exit status (a sanitizer report ends it with another)";
        if (expect.maxRssKb) {
            EXPECT_LT(run.peakRssKb, expect.maxRssKb * kSanitizerFactor) << "peak RSS in KB";
        }
        if (expect.maxMs) {
            EXPECT_LT(ms, expect.maxMs * kSanitizerFactor) << "milliseconds";
        }
        if (expect.maxCpuMs) {
            EXPECT_LT(run.cpuMs, expect.maxCpuMs * kSanitizerFactor) << "milliseconds of CPU";
        }

        const Answer answer = parseAnswer(run.output);
        EXPECT_EQ(answer.status, expect.status);
        EXPECT_EQ(answer.contentType, expect.contentType);
        if (expect.body) {
            EXPECT_EQ(answer.body, *expect.body);
        }
        for (const std::string& piece : expect.contains)
            EXPECT_NE(answer.body.find(piece), std::string::npos)
                << "missing: " << piece << "\nin: " << answer.body.substr(0, 2000);
        for (const std::string& piece : expect.absent)
            EXPECT_EQ(answer.body.find(piece), std::string::npos) << "present: " << piece;

        if (answer.contentType == "text/xml" && !answer.body.empty()) {
            const Xml xml(answer.body);
            EXPECT_NE(xml.doc, nullptr) << "not well-formed:\n" << answer.body.substr(0, 2000);
            if (expect.faultCode) {
                const xmlNode* f = xml.find("Fault");
                EXPECT_NE(f, nullptr) << "no fault in:\n" << answer.body.substr(0, 2000);
                EXPECT_EQ(Xml::text(xml.find("faultcode", f)), *expect.faultCode);
                const std::string message = Xml::text(xml.find("faultstring", f));
                if (expect.faultString) {
                    EXPECT_EQ(message, *expect.faultString);
                }
                if (expect.faultStringPart) {
                    EXPECT_NE(message.find(*expect.faultStringPart), std::string::npos) << "fault: " << message;
                }
            } else if (expect.returnArrayType || expect.returnText || expect.emptyResponse) {
                EXPECT_EQ(xml.find("Fault"), nullptr) << "a fault instead of an answer:\n" << answer.body;
                if (expect.returnArrayType) {
                    EXPECT_TRUE(Xml::attribute(xml.find("return"), "arrayType").ends_with(*expect.returnArrayType))
                        << answer.body;
                }
                if (expect.returnText) {
                    EXPECT_EQ(Xml::text(xml.find("return")), *expect.returnText);
                }
                if (expect.emptyResponse) {
                    const xmlNode* r = xml.find(expect.emptyResponse->c_str());
                    EXPECT_TRUE(r && !r->children) << answer.body;
                }
            }
        }
        EXPECT_EQ(databaseState(), *initialState_) << "the database changed";
    }

    struct Case {
        const char* name;
        Request request;
        Expect expect;
    };

    static void expectAll(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            expectAnswer(c.request, c.expect);
        }
    }

    static inline testsupport::TestDatabase* database_ = nullptr;
    static inline std::string directory_;
    static inline std::string program_;
    static inline std::string* initialState_ = nullptr;
};

inline std::string repeat(const std::string& piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

}  // namespace hostile
