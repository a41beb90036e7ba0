// Fuzzes the character's text reader: the input is a character file, read as the
// engine reads one (CR LF becomes LF) and handed to VoICharacter::Load; whatever
// the reader made is then written again. A reader loop that stops moving shows
// up as a timeout: scripts/fuzz.sh gives every input a time limit.
#include <strings.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ferrox/file/File.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// The headless master of the engine tests, one for the whole run.
VoMaster* master = nullptr;

// An Import line imports the file or folder it names (a folder such as "/" is
// walked whole); the fuzzer touches no disk, so the keyword is put out of reach.
void DropImports(std::string& bytes) {
  for (size_t i = 0; i + 6 <= bytes.size(); ++i)
    if (strncasecmp(bytes.data() + i, "import", 6) == 0) bytes[i] = '#';
}

// The bytes through Frx::File::ReadText, from a file that lives in memory only.
char* ReadAsTextFile(const std::string& bytes) {
  const int fd = memfd_create("character-text", 0);
  if (fd < 0) return nullptr;
  const char* p = bytes.data();
  for (size_t left = bytes.size(); left > 0;) {
    const ssize_t n = write(fd, p, left);
    if (n <= 0) break;
    p += n;
    left -= static_cast<size_t>(n);
  }
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  unsigned long size = 0;
  char* text = Frx::File::ReadText(path.c_str(), &size);
  close(fd);
  return text;
}

void Write(VoICharacter* character) {
  char* data = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&data, &size);
  if (!out) return;
  {
    VoSave save(out);
    VoMaster::ExecSave(character, save);
  }
  std::fclose(out);
  std::free(data);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static VoMaster headless;
  if (headless.Initialize(nullptr) != 1) std::abort();
  master = &headless;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  DropImports(bytes);
  char* text = ReadAsTextFile(bytes);
  // Reading a file must work here, or the run would pass without reading anything.
  if (!text) std::abort();
  VoLoad load(text);
  VoICharacter* character = master->NewItem<VoICharacter>(nullptr);
  // A file's own Character block, or entries at the top as if inside one.
  load.OpenChunk("Character");
  character->Load(load);
  load.CloseChunk();
  Write(character);
  master->ReleaseItem(character);
  return 0;
}
