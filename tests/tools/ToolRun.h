#pragma once
// Running a host tool from a test the way a developer runs it, and the files it reads and
// writes.

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vd::tools_test {

struct TRun {
  int ExitCode = -1;
  std::string Output;  // standard output and standard error
};

// Runs `program arguments` through the shell.
inline TRun RunTool(const std::string& program, const std::string& arguments) {
  TRun run;
  FILE* pipe = popen((program + " " + arguments + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.Output.append(buffer, n);
  const int status = pclose(pipe);
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

}  // namespace vd::tools_test
