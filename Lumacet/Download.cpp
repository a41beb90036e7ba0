#include "Lumacet/Download.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/TemporaryName.h"
#include "ferrox/string/NativeName.h"
#include "ferrox/string/Sjis.h"

namespace Lumacet {

namespace {

constexpr char NotFound[] = "\"%s\"\nが見つかりませんでした。";
constexpr char Failed[] = "\"%s\"\nダウンロード中にエラーが発生しました。";
constexpr char Refused[] = "\"%s\"\nはダウンロードできません。";

struct Sink {
  CURL* curl = nullptr;
  int fd = -1;
  long long written = 0;
  long long limit = 0;  // the body's cap: passing it is a failure
  long long room = 0;   // what the control's total leaves: passing it is a refusal
  bool failed = false;
  bool overTotal = false;
};

// Absent, or a regular file this process may write (a read-only one is kept
// even from a process that may write anything).
bool Replaceable(const std::string& target) {
  struct stat st{};
  if (lstat(target.c_str(), &st) != 0) return errno == ENOENT;
  return S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) && access(target.c_str(), W_OK) == 0;
}

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
  Sink& sink = *static_cast<Sink*>(user);
  const size_t total = size * count;
  const long long after = sink.written + static_cast<long long>(total);
  if (after > sink.limit || after > sink.room) {
    (after > sink.limit ? sink.failed : sink.overTotal) = true;
    return 0;  // stops the transfer
  }
  size_t done = 0;
  while (done < total) {
    const ssize_t n = write(sink.fd, data + done, total - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      sink.failed = true;
      return 0;
    }
    done += static_cast<size_t>(n);
  }
  sink.written += static_cast<long long>(total);
  return total;
}

// At the end of a response's headers, a body announced within the cap but
// over the room is refused before any of it is read (the cap is curl's).
size_t ReadHeader(char* data, size_t size, size_t count, void* user) {
  Sink& sink = *static_cast<Sink*>(user);
  const size_t total = size * count;
  if (total == 0 || (data[0] != '\r' && data[0] != '\n')) return total;
  long status = 0;
  curl_off_t length = -1;
  curl_easy_getinfo(sink.curl, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_getinfo(sink.curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  if (status < 200 || status > 299 || length <= sink.room || length > sink.limit) return total;
  sink.overTotal = true;
  return 0;  // stops the transfer
}

// Failures before any of the body came: the URL could not be opened.
bool IsNotFound(CURLcode code) {
  switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_HTTP_RETURNED_ERROR:
    case CURLE_TOO_MANY_REDIRECTS:
      return true;
    default:
      return false;
  }
}

CURLcode Fetch(const char* url, Sink& sink) {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  CURL* curl = curl_easy_init();
  if (!curl) return CURLE_FAILED_INIT;
  sink.curl = curl;
  curl_easy_setopt(curl, CURLOPT_URL, url);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "SavoraPlayer");
  // An error page is never saved as the file.
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
  // A server that stops sending for half a minute has failed, and every
  // download ends by its deadline: Import holds the page until it returns.
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 30L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, Limits().deadlineMs > 0 ? Limits().deadlineMs : 1L);
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(sink.limit));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, ReadHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &sink);
  const CURLcode code = curl_easy_perform(curl);
  curl_easy_cleanup(curl);
  sink.curl = nullptr;
  return code;
}

}  // namespace

long long DownloadLedger::Room(const std::string& name) const {
  const auto found = sizes_.find(name);
  const long long others = written_ - (found == sizes_.end() ? 0 : found->second);
  return Limits().maxTotal > others ? Limits().maxTotal - others : 0;
}

void DownloadLedger::Record(const std::string& name, long long size) {
  long long& held = sizes_[name];
  written_ += size - held;
  held = size;
}

DownloadLimits& Limits() {
  static DownloadLimits limits;
  return limits;
}

void RefuseDownload(const char* url, const char* name, const char* why) {
  Frx::theFerrox.Log(why, name ? name : "");
  Frx::theFerrox.Error(Refused, url ? url : "");
}

int DownloadURL(const char* url, const char* name, DownloadLedger& ledger) {
  Frx::Ferrox& ferrox = Frx::theFerrox;
  if (!url) return 0;
  ferrox.Log("DownloadURL url=\"%s\", file=\"%s\"\n", url, name ? name : "");
  const std::string target = name && IsPlainName(name) ? Frx::NativeName::ToNative(name) : std::string();
  if (target.empty() || target[0] == '.' || target.find('/') != std::string::npos) {
    RefuseDownload(url, name, "　　\"%s\" はフォルダの中のファイル名ではありません。\n");
    return 0;
  }
  if (!Replaceable(target)) {
    RefuseDownload(url, name, "　　\"%s\" は書き込みできないファイルです。\n");
    return 0;
  }
  const std::string temporary = Frx::TemporaryName::Make(target);
  Sink sink;
  sink.limit = Limits().maxBytes;
  sink.room = ledger.Room(name);
  sink.fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (sink.fd < 0) {
    ferrox.Error(Failed, url);
    return 0;
  }
  Frx::TemporaryName::Hold(temporary);
  const CURLcode code = Fetch(url, sink);
  bool ok = code == CURLE_OK && !sink.failed && !sink.overTotal;
  ok = fsync(sink.fd) == 0 && ok;
  ok = close(sink.fd) == 0 && ok;
  // The file there may have changed while the body came.
  if (ok) ok = Replaceable(target) && rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) unlink(temporary.c_str());
  Frx::TemporaryName::Release(temporary);
  if (ok) ledger.Record(name, sink.written);
  if (sink.overTotal) {
    RefuseDownload(url, name, "　　\"%s\" でこのコントロールのダウンロードの合計が上限を超えます。\n");
    return 0;
  }
  if (!ok && code != CURLE_OK) ferrox.Log("　　%s\n", curl_easy_strerror(code));
  if (!ok) ferrox.Error(IsNotFound(code) ? NotFound : Failed, url);
  return ok ? 1 : 0;
}

}  // namespace Lumacet
