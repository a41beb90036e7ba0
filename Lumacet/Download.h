// Downloads of the player's "http:" imports, with libcurl. A download goes to
// a temporary beside its target in the current folder and takes the
// target's name only when the whole body arrived; an HTTP error status, a
// refused connection or a cut body leaves no file behind.
#pragma once

#include <string>

namespace Lumacet {

// The local name of a download (Shift-JIS): the URL's last path element with
// the query ("?") and fragment ("#") dropped first. Empty when the URL has no
// usable name (no path after the host, a path ending in "/", ".", ".."), so
// nothing is ever written outside the current folder.
std::string DownloadFileName(const char* url);

// Downloads `url` into the file `name` (no folder) of the current folder.
// 1 on success; on failure the error is reported through theFerrox.Error
// ("not found" when the URL could not be fetched, "error during download"
// otherwise) and 0 returned.
int DownloadURL(const char* url, const char* name);

// Bodies larger than this are refused.
constexpr long long MaxDownloadBytes = 1LL << 30;

}  // namespace Lumacet
