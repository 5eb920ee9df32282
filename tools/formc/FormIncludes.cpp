#include "tools/formc/FormIncludes.h"

#include <fstream>
#include <iterator>

#include "base/Errors.h"
#include "base/Strings.h"

namespace vd {

namespace fs = std::filesystem;

bool ReadWholeFile(const fs::path& path, std::string& content) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  content.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

TTextFormOptions FormIncludes(const fs::path& form, const std::vector<fs::path>& includeDirs,
                              std::vector<fs::path>* found) {
  std::vector<fs::path> searched = {form.parent_path().empty() ? fs::path(".") : form.parent_path()};
  searched.insert(searched.end(), includeDirs.begin(), includeDirs.end());
  TTextFormOptions options;
  options.ReadInclude = [searched, found](const std::u16string& name) {
    std::string relative = ToUtf8(name);
    for (char& c : relative)
      if (c == '\\') c = '/';
    for (const fs::path& folder : searched) {
      const fs::path candidate = fs::path(relative).is_absolute() ? fs::path(relative) : folder / relative;
      std::string bytes;
      if (fs::is_regular_file(candidate) && ReadWholeFile(candidate, bytes)) {
        if (found) found->push_back(candidate);
        return bytes;
      }
    }
    throw Exception(u"File not found");
  };
  return options;
}

}  // namespace vd
