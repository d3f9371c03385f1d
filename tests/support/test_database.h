// A fresh Firebird database for one test: created in a temporary directory,
// filled from an SQL script, dropped on destruction. Embedded by default; with
// VELMORA_TEST_FB_SERVER=<port> it is created and reached through the
// Firebird server on 127.0.0.1:<port>.
#pragma once

#include "db/connection.h"

#include <optional>
#include <string>
#include <string_view>

namespace testsupport {

// The server port from VELMORA_TEST_FB_SERVER, if tests go through a server.
std::optional<int> firebirdServerPort();

class TestDatabase {
public:
    struct Options {
        int dialect = 1;                  // the database's SQL dialect: 1 or 3
        std::string charset = "WIN1252";  // default character set of its columns
    };

    // Creates the database and runs the script (statements separated by ";",
    // "SET TERM" understood; each statement committed on its own).
    explicit TestDatabase(std::string_view script = {});
    TestDatabase(std::string_view script, Options options);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // The location to connect to: the file path, or "127.0.0.1/<port>:<path>".
    const std::string& location() const { return location_; }
    const std::string& path() const { return path_; }
    int dialect() const { return options_.dialect; }
    // Location, user SYSDBA and password masterkey.
    db::ConnectParams params() const;

    // Runs a script (UTF-8 text, stored as WIN1252) in the database's own
    // dialect, on a connection of its own.
    void run(std::string_view script) const;
    // Runs one statement on a connection of its own and commits it, as
    // another program sharing the database would.
    void execute(std::string_view sql) const;

private:
    Options options_;
    std::string directory_;
    std::string path_;
    std::string location_;
};

}  // namespace testsupport
