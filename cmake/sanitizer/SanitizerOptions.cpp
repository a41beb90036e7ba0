// Linked into every program of a sanitizer build (see SavoraBuild.cmake).
// GCC 12's runtime follows dynamic TLS through its __tls_get_addr interceptor
// by guessing at glibc's block headers. A block that starts 16 bytes into a
// page is misread, and LeakSanitizer's tracer then crashes at exit ("Tracer
// caught signal 11"); in programs that load the GL drivers that happened at
// some checkout paths only, as the path's length moves the heap's layout
// (tests/TlsExit.cpp provokes it). ASAN_OPTIONS still overrides this.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
