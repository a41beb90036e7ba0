// Downloads of the player's "http:" imports, with libcurl. A download goes to
// a temporary beside its target in the current folder and takes the
// target's name only when the whole body arrived within the limits; an HTTP
// error status, a refused connection, a cut body, a deadline, size or total
// passed leaves no file behind. Only a missing or writable regular file is
// replaced.
#pragma once

#include <map>
#include <string>

namespace Lumacet {

// The local name of a download (Shift-JIS): the URL's last path element with
// the query ("?") and fragment ("#") dropped and %XX escapes decoded. Empty
// when the URL has no usable name: no path after the host, a path ending in
// "/", a name starting with "." (hidden files, "." and ".."), or one that
// holds a separator or a control character once decoded. So nothing is ever
// written outside the current folder.
std::string DownloadFileName(const char* url);
// Whether `name` (Shift-JIS) is such a name: not empty, no leading ".", no
// separator or control character.
bool IsPlainName(const std::string& name);
// `text` with its %XX escapes decoded; a "%" without two hex digits stays as
// it is, and so does "%00" when `keepNul` (for a path, which cannot hold one).
std::string DecodePercent(const std::string& text, bool keepNul);

// What one control's downloads wrote: each name once, at its latest size, so
// fetching a file again counts only its growth.
class DownloadLedger {
 public:
  // The bytes `name` may hold within the total: what the other names leave.
  long long Room(const std::string& name) const;
  void Record(const std::string& name, long long size);

 private:
  std::map<std::string, long long> sizes_;
  long long written_ = 0;
};

// Downloads `url` into the file `name` (no folder) of the current folder,
// within what `ledger` leaves of the total, and records it there.
// 1 on success; on failure the error is reported through theFerrox.Error
// ("not found" when the URL could not be fetched, "cannot be downloaded"
// when the name or the file there is refused before asking, or the body
// would pass the total, "error during download" otherwise) and 0 returned.
int DownloadURL(const char* url, const char* name, DownloadLedger& ledger);

// Reports a refused download (the message box of DownloadURL's refusals),
// with `why` (a format of one %s: the name) logged.
void RefuseDownload(const char* url, const char* name, const char* why);

// The bounds of every download. Hosts leave them alone; tests shorten them.
struct DownloadLimits {
  long deadlineMs = 60000;          // the whole transfer, connecting included
  long long maxBytes = 256LL << 20;  // the body
  long long maxTotal = 1LL << 30;    // the files one control's downloads wrote
};
DownloadLimits& Limits();

}  // namespace Lumacet
