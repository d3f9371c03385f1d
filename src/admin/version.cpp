// "velmora-admin version": what an operator quotes in a report. The package
// version and commit come from the build; the Firebird client's is asked of
// the library that is loaded. libxml2's is the one the service was compiled
// against: this program reads no XML and does not load libxml2, and within a
// Debian release the library keeps the upstream version it was built with.
#include "admin/build_info.h"
#include "admin/commands.h"

#include <firebird/Interface.h>
#include <ibase.h>
#include <libxml/xmlversion.h>

#include <ostream>

namespace admin {

int version(std::ostream& out) {
    // The library's own text ("LI-V6.3.11.33637 Firebird 3.0") carries the
    // build number; the release is asked for separately.
    char client[256] = {};
    isc_get_client_version(client);
    const unsigned release = Firebird::fb_get_master_interface()->getUtilInterface()->getClientVersion();
    out << "velmora " << build::kPackageVersion << '\n'
        << "commit " << build::kCommit << '\n'
        << "build type " << build::kBuildType << '\n'
        << "Firebird client " << (release >> 8) << '.' << (release & 0xFF) << " (" << client << ")\n"
        << "libxml2 " << LIBXML_DOTTED_VERSION << '\n';
    return 0;
}

}  // namespace admin
