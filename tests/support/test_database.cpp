// Temporary Firebird databases for tests, made through the client's own API.
#include "support/test_database.h"

#include "db/conversions.h"
#include "db/firebird.h"
#include "support/sql_script.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace testsupport {
namespace {

using namespace Firebird;
using db::fb::Handle;
using db::fb::Status;

constexpr const char* kUser = "SYSDBA";
constexpr const char* kPassword = "masterkey";

std::string makeDirectory() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/velmora-db-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a directory for a test database");
    // A server runs as its own user and must create and open the file here.
    ::chmod(pattern.c_str(), 0777);
    return pattern;
}

Handle<IXpbBuilder> dpb(Status& st, int dialect, const std::string* charset) {
    Handle<IXpbBuilder> b(db::fb::master()->getUtilInterface()->getXpbBuilder(st.get(), IXpbBuilder::DPB, nullptr, 0));
    st.check();
    b->insertString(st.get(), isc_dpb_user_name, kUser);
    b->insertString(st.get(), isc_dpb_password, kPassword);
    b->insertString(st.get(), isc_dpb_lc_ctype, "WIN1252");
    b->insertInt(st.get(), isc_dpb_sql_dialect, dialect);
    if (charset) {
        b->insertString(st.get(), isc_dpb_set_db_charset, charset->c_str());
        b->insertInt(st.get(), isc_dpb_force_write, 0);  // tests need no fsync
    }
    st.check();
    return b;
}

Handle<IAttachment> attach(const std::string& location, int dialect, const std::string* createWithCharset) {
    Status st;
    Handle<IProvider> provider(db::fb::master()->getDispatcher());
    Handle<IXpbBuilder> b = dpb(st, dialect, createWithCharset);
    const unsigned length = b->getBufferLength(st.get());
    const unsigned char* buffer = b->getBuffer(st.get());
    st.check();
    Handle<IAttachment> att(createWithCharset ? provider->createDatabase(st.get(), location.c_str(), length, buffer)
                                              : provider->attachDatabase(st.get(), location.c_str(), length, buffer));
    st.check();
    return att;
}

void runStatement(IAttachment* att, int dialect, const std::string& utf8Sql) {
    Status st;
    const std::string sql = db::utf8ToWin1252(utf8Sql);
    Handle<ITransaction> tra(att->startTransaction(st.get(), 0, nullptr));
    st.check();
    att->execute(st.get(), tra.get(), unsigned(sql.size()), sql.c_str(), unsigned(dialect), nullptr, nullptr, nullptr,
                 nullptr);
    if (st.failed()) {
        try {
            st.raise();
        } catch (const std::exception& e) {
            throw std::runtime_error(std::string(e.what()) + "\nin statement: " + utf8Sql);
        }
    }
    tra->commit(st.get());
    st.check();
    tra.disown();
}

}  // namespace

std::optional<int> firebirdServerPort() {
    const char* v = std::getenv("VELMORA_TEST_FB_SERVER");
    if (!v || !*v) return std::nullopt;
    return std::atoi(v);
}

TestDatabase::TestDatabase(std::string_view script) : TestDatabase(script, Options{}) {}

TestDatabase::TestDatabase(std::string_view script, Options options) : options_(std::move(options)) {
    directory_ = makeDirectory();
    path_ = directory_ + "/test.fdb";
    const std::optional<int> port = firebirdServerPort();
    location_ = port ? "127.0.0.1/" + std::to_string(*port) + ":" + path_ : path_;
    try {
        attach(location_, options_.dialect, &options_.charset);
        if (!script.empty()) run(script);
    } catch (...) {
        std::filesystem::remove_all(directory_);
        throw;
    }
}

TestDatabase::~TestDatabase() {
    try {
        Handle<IAttachment> att = attach(location_, options_.dialect, nullptr);
        Status st;
        att->dropDatabase(st.get());
        if (!st.failed()) att.disown();
    } catch (...) {
        // Still attached elsewhere: the file goes with its directory below.
    }
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

db::ConnectParams TestDatabase::params() const { return {location_, kUser, kPassword}; }

void TestDatabase::run(std::string_view script) const {
    Handle<IAttachment> att = attach(location_, options_.dialect, nullptr);
    for (const std::string& statement : splitSqlScript(script)) runStatement(att.get(), options_.dialect, statement);
}

void TestDatabase::execute(std::string_view sql) const {
    Handle<IAttachment> att = attach(location_, options_.dialect, nullptr);
    runStatement(att.get(), options_.dialect, std::string(sql));
}

}  // namespace testsupport
