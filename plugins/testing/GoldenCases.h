// Golden folders: testdata/<format>/<case>/ holds a case's input and the
// files its output must equal. A runner takes every folder; a folder that
// lacks an expected file fails rather than being skipped. With
// SAVORA_UPDATE_GOLDEN=1 in the environment the expected files are written
// from what the code produces (review them before committing).
#pragma once

#include <string>
#include <vector>

namespace plugtest {

// The case folders under dir (each ending with "/"), sorted by name.
std::vector<std::string> GoldenFolders(const std::string& dir);

// Compares actual with the file expected; a missing file is a failure.
void ExpectGoldenFile(const std::string& expected, const std::string& actual);

}  // namespace plugtest
