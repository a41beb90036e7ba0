#include "ferrox/file/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstring>
#include <memory>

#include "ferrox/file/CaseResolve.h"
#include "ferrox/file/RefusalLog.h"
#include "ferrox/file/RegularFile.h"

namespace Frx::File {

namespace {

// Writes data with every LF as CR LF.
bool WriteCrLf(FILE* out, const char* data, size_t size) {
  size_t start = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] != '\n') continue;
    if (std::fwrite(data + start, 1, i - start, out) != i - start) return false;
    if (std::fwrite("\r\n", 1, 2, out) != 2) return false;
    start = i + 1;
  }
  return std::fwrite(data + start, 1, size - start, out) == size - start;
}

struct Reader {
  FILE* file;
};

ssize_t ReaderRead(void* cookie, char* buffer, size_t size) {
  FILE* file = static_cast<Reader*>(cookie)->file;
  size_t n = 0;
  while (n < size) {
    const int c = getc_unlocked(file);
    if (c == EOF) break;
    if (c == '\r') {
      const int next = getc_unlocked(file);
      if (next == '\n') {
        buffer[n++] = '\n';
        continue;
      }
      if (next != EOF) ungetc(next, file);
    }
    buffer[n++] = static_cast<char>(c);
  }
  if (n == 0 && std::ferror(file)) return -1;
  return static_cast<ssize_t>(n);
}

int ReaderSeek(void* cookie, off64_t* offset, int whence) {
  // Positions of a translated stream mean nothing; only rewinding is kept.
  if (*offset != 0 || whence != SEEK_SET) return -1;
  return std::fseek(static_cast<Reader*>(cookie)->file, 0, SEEK_SET);
}

int ReaderClose(void* cookie) {
  std::unique_ptr<Reader> reader(static_cast<Reader*>(cookie));
  return std::fclose(reader->file) == 0 ? 0 : -1;
}

struct Writer {
  AtomicFile atomic;   // "w" modes
  FILE* plain = nullptr;  // "a" mode
  bool text = false;
  bool failed = false;
  FILE* Stream() const { return plain ? plain : atomic.Stream(); }
};

ssize_t WriterWrite(void* cookie, const char* buffer, size_t size) {
  Writer* writer = static_cast<Writer*>(cookie);
  const bool ok = writer->text ? WriteCrLf(writer->Stream(), buffer, size)
                               : std::fwrite(buffer, 1, size, writer->Stream()) == size;
  if (!ok) {
    writer->failed = true;
    return 0;
  }
  return static_cast<ssize_t>(size);
}

int WriterSeek(void* cookie, off64_t* offset, int whence) {
  Writer* writer = static_cast<Writer*>(cookie);
  if (writer->text) return -1;
  FILE* stream = writer->Stream();
  if (fseeko(stream, *offset, whence) != 0) return -1;
  *offset = ftello(stream);
  return 0;
}

int WriterClose(void* cookie) {
  std::unique_ptr<Writer> writer(static_cast<Writer*>(cookie));
  if (writer->plain) return std::fclose(writer->plain) == 0 && !writer->failed ? 0 : -1;
  if (writer->failed) {
    writer->atomic.Abort();
    return -1;
  }
  return writer->atomic.Commit() ? 0 : -1;
}

FILE* OpenReader(const std::string& native, bool binary, Refusal& why) {
  FILE* file = OpenRegularStream(native.c_str(), &why);
  if (!file || binary) return file;
  auto* reader = new Reader{file};
  FILE* stream = fopencookie(reader, "r", {ReaderRead, nullptr, ReaderSeek, ReaderClose});
  if (!stream) ReaderClose(reader);
  return stream;
}

// Opens a regular file, or creates one, to be written where it lies (the
// "a" and "+" modes); open flags and fdopen mode as fopen would use them.
FILE* OpenInPlace(const std::string& native, int flags, const char* mode, Refusal& why) {
  why = Refusal::Missing;
  struct stat st;
  if (stat(native.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return nullptr;
    if (!S_ISREG(st.st_mode)) return why = Refusal::NotRegular, nullptr;
    if (WriteProtected(native.c_str(), st)) return why = Refusal::ReadOnly, nullptr;
  }
  // O_NONBLOCK: a FIFO put there meanwhile must not block the open.
  const int fd = open(native.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return why = Refusal::NotRegular, nullptr;
  }
  (void)fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  FILE* file = fdopen(fd, mode);
  if (!file) close(fd);
  return file;
}

FILE* OpenWriter(const std::string& native, bool binary, bool append, Refusal& why) {
  auto writer = std::make_unique<Writer>();
  writer->text = !binary;
  if (append) {
    writer->plain = OpenInPlace(native, O_WRONLY | O_APPEND | O_CREAT, "ab", why);
    if (!writer->plain) return nullptr;
  } else if (!writer->atomic.Begin(native)) {
    why = writer->atomic.Failure();
    return nullptr;
  }
  FILE* stream = fopencookie(writer.get(), "w", {nullptr, WriterWrite, WriterSeek, WriterClose});
  if (!stream) {
    if (writer->plain) std::fclose(writer->plain);
    return nullptr;
  }
  writer.release();
  return stream;
}

}  // namespace

FILE* Open(const char* path, const char* mode) {
  if (!path || !*path || !mode) return nullptr;
  const char kind = mode[0];
  if (kind != 'r' && kind != 'w' && kind != 'a') return nullptr;
  const bool binary = std::strchr(mode, 'b') != nullptr;
  const std::string native = CaseResolve::ResolveSystem(path);
  Refusal why = Refusal::Missing;
  FILE* file = nullptr;
  if (std::strchr(mode, '+')) {
    const int flags = kind == 'r'   ? O_RDWR
                      : kind == 'w' ? O_RDWR | O_CREAT | O_TRUNC
                                    : O_RDWR | O_APPEND | O_CREAT;
    const char* plainMode = kind == 'r' ? "r+b" : kind == 'w' ? "w+b" : "a+b";
    file = OpenInPlace(native, flags, plainMode, why);
  } else if (kind == 'r') {
    file = OpenReader(native, binary, why);
  } else {
    file = OpenWriter(native, binary, kind == 'a', why);
  }
  if (!file) LogRefusal("File::Open", path, why);
  return file;
}

int WriteText(const char* path, const char* text) {
  TextWriter writer;
  if (!writer.Open(path)) return 0;
  writer.Write(text);
  return writer.Close();
}

int TextWriter::Open(const char* path) {
  failed_ = false;
  if (!path || !*path) return 0;
  if (file_.Begin(CaseResolve::ResolveSystem(path))) return 1;
  LogRefusal("File::TextWriter", path, file_.Failure());
  return 0;
}

void TextWriter::Printf(const char* format, ...) {
  if (!IsOpen() || !format) return;
  char small[1024];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (n < 0) {
    failed_ = true;
  } else if (static_cast<size_t>(n) < sizeof small) {
    Write(small, static_cast<size_t>(n));
  } else {
    std::string large(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(large.data(), large.size(), format, again);
    Write(large.data(), static_cast<size_t>(n));
  }
  va_end(again);
}

void TextWriter::Write(const char* text) {
  if (text) Write(text, std::strlen(text));
}

void TextWriter::Write(const char* data, size_t size) {
  if (!IsOpen() || failed_) return;
  if (!WriteCrLf(file_.Stream(), data, size)) failed_ = true;
}

int TextWriter::Close() {
  if (!IsOpen()) return 0;
  if (failed_) {
    file_.Abort();
    return 0;
  }
  return file_.Commit() ? 1 : 0;
}

}  // namespace Frx::File
