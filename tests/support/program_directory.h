// A stand-in for the program's directory: a temporary folder holding the
// caminhoBDIntegECF.ini that points ConectaBanco at a test database, made the
// application directory for as long as the object lives.
#pragma once

#include "db/connection.h"

#include <string>

namespace testsupport {

class ProgramDirectory {
public:
    explicit ProgramDirectory(const db::ConnectParams& database);
    ~ProgramDirectory();
    ProgramDirectory(const ProgramDirectory&) = delete;
    ProgramDirectory& operator=(const ProgramDirectory&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace testsupport
