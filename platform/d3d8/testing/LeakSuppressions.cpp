// LeakSanitizer: Mesa and the GL dispatch keep allocations for the life of the
// process (driver screens, shader caches), as does fontconfig's default
// configuration; only those are ignored.
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
         "leak:libfontconfig\n";
}

// GCC 12's sanitizer runtime misreads glibc's dynamic TLS blocks once Mesa's
// libraries are loaded, and LeakSanitizer then crashes at exit in its thread
// scan; not intercepting __tls_get_addr leaves that bookkeeping out.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
