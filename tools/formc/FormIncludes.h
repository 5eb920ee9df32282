#pragma once
// Reading text forms on the build machine: File('...') and Form('...') are looked up beside
// the form, then in each include folder in order (a backslash counts as a slash).

#include <filesystem>
#include <string>
#include <vector>

#include "streams/TextObjectStream.h"

namespace vd {

bool ReadWholeFile(const std::filesystem::path& path, std::string& content);

// Options that read the includes of `form`; each file read is appended to `found` (when
// given), which must outlive the options. A file found nowhere raises "File not found".
TTextFormOptions FormIncludes(const std::filesystem::path& form, const std::vector<std::filesystem::path>& includeDirs,
                              std::vector<std::filesystem::path>* found = nullptr);

}  // namespace vd
