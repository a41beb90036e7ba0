// Sanitizer builds of the program: Mesa, the GL dispatch and fontconfig keep
// allocations for the life of the process, and so do Qt's platform plug-in
// and the libraries under it; only those leaks are ignored.
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

// GCC 12's sanitizer runtime misreads glibc's dynamic TLS blocks once Mesa's
// libraries are loaded, and LeakSanitizer then crashes at exit in its thread
// scan; not intercepting __tls_get_addr leaves that bookkeeping out.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
