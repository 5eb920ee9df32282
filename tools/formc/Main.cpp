// formc: the form compiler. Converts stored form descriptions between their text form
// (the sources in forms/) and the binary object stream that the program embeds.
//
//   formc to-binary IN OUT [-I DIR]... [--depfile FILE]
//   formc to-text IN OUT
//
// File('...') and Form('...') in a text form are looked up beside IN, then in each -I
// folder in order. --depfile writes the files that OUT depends on, for the build.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "base/Strings.h"
#include "streams/TextObjectStream.h"
#include "tools/formc/FormIncludes.h"

namespace {

namespace fs = std::filesystem;
using namespace vd;

// Writes beside the target and renames, so that a failed run leaves no half-written file.
bool WriteWholeFile(const fs::path& path, std::string_view data) {
  const fs::path temporary = path.string() + ".tmp";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(data.data(), static_cast<std::streamsize>(data.size()));
    if (!file.flush()) return false;
  }
  std::error_code error;
  fs::rename(temporary, path, error);
  return !error;
}

int Fail(const std::string& message) {
  std::cerr << "formc: " << message << "\n";
  return 1;
}

int Usage() {
  std::cerr << "usage: formc to-binary IN OUT [-I DIR]... [--depfile FILE]\n"
               "       formc to-text IN OUT\n";
  return 2;
}

// A path as make reads it in a dependency file.
std::string DepfilePath(const fs::path& path) {
  std::string out;
  for (const char c : fs::absolute(path).lexically_normal().string()) {
    if (c == ' ' || c == '#') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

int ToBinary(const fs::path& in, const fs::path& out, const std::vector<fs::path>& includeDirs,
             const std::string& depfile) {
  std::string text;
  if (!ReadWholeFile(in, text)) return Fail("cannot read " + in.string());

  std::vector<fs::path> dependencies = {in};
  const TTextFormOptions options = FormIncludes(in, includeDirs, &dependencies);

  std::vector<std::uint8_t> binary;
  try {
    binary = ObjectTextToBinary(text, options);
  } catch (const EParserError& error) {
    return Fail(in.string() + ":" + std::to_string(error.Line()) + ":" + std::to_string(error.Column()) + ": " +
                ToUtf8(error.Reason()));
  } catch (const Exception& error) {
    return Fail(in.string() + ": " + ToUtf8(error.Message()));
  }
  if (!WriteWholeFile(out, std::string_view(reinterpret_cast<const char*>(binary.data()), binary.size())))
    return Fail("cannot write " + out.string());
  if (!depfile.empty()) {
    std::string rule = DepfilePath(out) + ":";
    for (const fs::path& dependency : dependencies) rule += " " + DepfilePath(dependency);
    if (!WriteWholeFile(depfile, rule + "\n")) return Fail("cannot write " + depfile);
  }
  return 0;
}

int ToText(const fs::path& in, const fs::path& out) {
  std::string bytes;
  if (!ReadWholeFile(in, bytes)) return Fail("cannot read " + in.string());
  std::string text;
  try {
    text = ObjectBinaryToText(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  } catch (const Exception& error) {
    return Fail(in.string() + ": " + ToUtf8(error.Message()));
  }
  if (!WriteWholeFile(out, text)) return Fail("cannot write " + out.string());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 3) return Usage();
  const std::string& command = args[0];
  if (command == "to-text") return args.size() == 3 ? ToText(args[1], args[2]) : Usage();
  if (command != "to-binary") return Usage();

  std::vector<fs::path> includeDirs;
  std::string depfile;
  for (std::size_t i = 3; i < args.size(); ++i) {
    if (i + 1 >= args.size()) return Usage();
    if (args[i] == "-I")
      includeDirs.emplace_back(args[++i]);
    else if (args[i] == "--depfile")
      depfile = args[++i];
    else
      return Usage();
  }
  return ToBinary(args[1], args[2], includeDirs, depfile);
}
