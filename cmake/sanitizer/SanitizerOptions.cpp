// Linked into every program of a sanitizer build (see SavoraBuild.cmake): the
// runtime options and leak suppressions they all share.
//
// GCC 12's runtime follows dynamic TLS through its __tls_get_addr interceptor
// by guessing at glibc's block headers. A block that starts 16 bytes into a
// page is misread, and LeakSanitizer's tracer then crashes at exit ("Tracer
// caught signal 11"); in programs that load the GL drivers that happened at
// some checkout paths only, as the path's length moves the heap's layout
// (tests/TlsExit.cpp provokes it). ASAN_OPTIONS still overrides this.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }

// LeakSanitizer: Mesa and the GL dispatch keep allocations for the life of the
// process (driver screens, shader caches), as do fontconfig's default
// configuration and, under a real X server, Qt's xcb platform plug-in and the
// libraries under it; only those are ignored.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libEGL_mesa\n"
         "leak:libgallium\n"
         "leak:libGLX_mesa\n"
         "leak:libglapi\n"
         "leak:libLLVM\n"
         "leak:swrast_dri\n"
         "leak:libOpenGL\n"
         "leak:libEGL.so\n"
         "leak:libGLdispatch\n"
         "leak:libfontconfig\n"
         "leak:libQt6XcbQpa\n"
         "leak:libxcb\n"
         "leak:libX11\n"
         "leak:libdbus\n"
         "leak:libglib\n";
}
