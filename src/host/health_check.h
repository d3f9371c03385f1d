// The health path for balancers, opt-in: the INI's [HEALTH] CAMINHO= names a
// path after the program's name ("/health"). GET on exactly that path
// answers 200 "ok" once one database round trip succeeded, and 503 with the
// reason when it failed; the request log calls it "health". Without the
// setting that path is answered as any other, byte for byte.
#pragma once

#include "host/front_end.h"

#include <functional>
#include <string>

namespace host {

// Modules made by `create`, each answering the health path the INI
// `iniFileName` names when it is made (the INI read again whenever it
// changed). `roundTrip` reaches the database; it throws to say why it could
// not.
WebModuleFactory withHealthPath(WebModuleFactory create, std::string iniFileName, std::function<void()> roundTrip);

}  // namespace host
