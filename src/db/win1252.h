// The database adapter's view of the Windows-1252 conversions.
#pragma once

#include "common/text.h"
#include "common/win1252.h"

namespace db {
using velmora::appendUtf8AsWin1252;
using velmora::appendWin1252AsUtf8;
using velmora::isValidUtf8;
using velmora::utf8ToWin1252;
using velmora::win1252ToUtf8;
}  // namespace db
