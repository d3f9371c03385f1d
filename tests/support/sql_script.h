// Splits an SQL script (DDL and inserts, as isql would read it) into single
// statements, so test schemas can be written as plain script text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// Statements end at the terminator (";" unless "SET TERM x ;" changes it),
// never inside quotes or comments; empty statements and SET TERM lines are dropped.
std::vector<std::string> splitSqlScript(std::string_view script);

}  // namespace testsupport
