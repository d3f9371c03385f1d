// The demo database's scripts (demo/schema.sql, demo/data.sql) as test
// databases can run them.
#pragma once

#include <string>

namespace testsupport {

// The script without the lines only isql understands (SET SQL DIALECT,
// COMMIT): a test database already has dialect 1 and every statement commits
// on its own.
std::string demoScript(const char* name);

}  // namespace testsupport
