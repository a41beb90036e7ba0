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

// The runtime options every program of a sanitizer build shares come from
// cmake/sanitizer/SanitizerOptions.cpp.
