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
