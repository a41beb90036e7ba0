// Parks a thread whose dynamic TLS block starts 16 bytes into a page, then
// exits. GCC 12's runtime takes the 16 bytes before such a block for the
// block header of old glibc versions; with __tls_get_addr intercepted, the
// leak check at exit then scans a range read from the allocator's chunk
// header and its tracer crashes ("Tracer caught signal 11"). The draw tests,
// which load the GL drivers, met it at some checkout paths only; here it
// happens every time unless the program carries the build's sanitizer options.
// Exits 77 (skipped) if no block lands there.
#include <dlfcn.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>

namespace {

using BlockProc = char* (*)();
BlockProc tlsBlock = nullptr;
std::atomic<char*> parked{nullptr};

void* UseBlock(void*) {
  char* block = tlsBlock();
  if (reinterpret_cast<uintptr_t>(block) % 4096 == 16) {
    parked = block;
    for (;;) pause();
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  void* module = argc == 2 ? dlopen(argv[1], RTLD_NOW) : nullptr;
  tlsBlock = module ? reinterpret_cast<BlockProc>(dlsym(module, "TlsBlock")) : nullptr;
  if (!tlsBlock) {
    std::fprintf(stderr, "usage: %s <TLS module> (%s)\n", argv[0], dlerror());
    return 2;
  }
  // Each ended thread's block goes to the allocator's quarantine, so the next
  // thread's block lies further on; one in 128 or so lands on the spot.
  for (int i = 0; i < 4096 && !parked; ++i) {
    pthread_t thread;
    if (pthread_create(&thread, nullptr, UseBlock, nullptr) != 0) return 2;
    while (!parked && pthread_tryjoin_np(thread, nullptr) != 0) usleep(100);
  }
  if (!parked) {
    std::puts("no TLS block started 16 bytes into a page");
    return 77;
  }
  std::printf("a parked thread holds dynamic TLS at %p\n", static_cast<void*>(parked.load()));
  return 0;
}
