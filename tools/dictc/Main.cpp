// dictc: builds dictionary streams (ks.local, the stored dictionaries of forms) from their
// readable form, and lists what a dictionary stream holds.
//
//   dictc build SOURCE OUT   readable dictionary -> dictionary stream
//   dictc list FILE          summary and entries of a dictionary stream, in readable form

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "base/Strings.h"
#include "base/WideStrings.h"
#include "lang/DictionaryStream.h"
#include "tools/dictc/DictionarySource.h"

namespace {

using namespace vd;

bool ReadWholeFile(const std::string& path, std::string& content) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  content.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

// Writes beside the target and renames, so that a failed build leaves no half-written file.
bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& data) {
  const std::string temporary = path + ".tmp";
  bool written = false;
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    written = static_cast<bool>(file.flush());
  }
  std::error_code error;
  if (written) std::filesystem::rename(temporary, path, error);
  const bool done = written && !error;
  if (!done) std::filesystem::remove(temporary, error);
  return done;
}

int Fail(const std::string& message) {
  std::cerr << "dictc: " << message << "\n";
  return 1;
}

int Build(const std::string& sourcePath, const std::string& outPath) {
  std::string text;
  if (!ReadWholeFile(sourcePath, text)) return Fail("cannot read " + sourcePath);
  try {
    const TDictionaryContent content = ParseDictionarySource(text, FromUtf8(sourcePath));
    if (!WriteWholeFile(outPath, WriteDictionaryStream(content))) return Fail("cannot write " + outPath);
  } catch (const Exception& error) {
    return Fail(ToUtf8(error.Message()));
  }
  return 0;
}

int List(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return Fail("cannot read " + path);
  try {
    const TDictionaryContent content = ParseDictionaryStream(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), FromUtf8(path));
    std::cout << "; " << path << ": " << SplitTextLines(content.SourceText).size() << " source texts, "
              << content.Languages.size() << " languages\n";
    int position = 0;
    for (const TDictionaryLanguage& language : content.Languages)
      std::cout << "; language " << position++ << ": \"" << ToUtf8(language.Name) << "\", "
                << SplitTextLines(language.TableText).size() << " entries\n";
    std::cout << "\n" << FormatDictionarySource(content);
  } catch (const Exception& error) {
    return Fail(ToUtf8(error.Message()));
  }
  return 0;
}

int Usage() {
  std::cerr << "usage: dictc build SOURCE OUT\n"
               "       dictc list FILE\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "build") return Build(args[1], args[2]);
  if (args.size() == 2 && args[0] == "list") return List(args[1]);
  return Usage();
}
