// The sanitizer settings every program of the sanitizer build carries, so
// that the CGI program started by a web server (which passes no
// ASAN_OPTIONS) is checked exactly like one started by a test. Linked only
// when VELMORA_SANITIZE is on; variables in the environment still override.

extern "C" {

// The slow unwinder walks through Firebird's frame-pointer-less libraries,
// so a block the client allocated shows libfbclient in its stack and the
// suppression below can see it.
const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

// The leak checker's tracer can crash scanning the thread-local storage of
// a Firebird thread that is exiting at the same moment. Nothing of ours
// keeps heap blocks reachable only from thread-local storage, so leaving it
// out of the roots can only report more, never hide a leak of ours.
const char* __lsan_default_options() { return "use_tls=0"; }

// Firebird's client and embedded engine keep process-wide state (plugin and
// character set tables, iconv and ICU handles, libtommath numbers of the
// authentication code) until exit and never free it; every such block is
// allocated below libfbclient. The dynamic loader's dependency list of a
// library the engine opens is reachable only through thread-local storage,
// which the leak checker no longer scans (above).
const char* __lsan_default_suppressions() { return "leak:libfbclient.so\nleak:_dl_map_object_deps\n"; }

// Undefined behaviour is fatal (the build also says -fno-sanitize-recover).
const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }
}
