// Runs the dictc program the way translators and the build do.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

struct TRun {
  int ExitCode = -1;
  std::string Output;  // standard output and standard error
};

TRun Dictc(const std::string& arguments) {
  TRun run;
  FILE* pipe = popen((std::string(VD_DICTC) + " " + arguments + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.Output.append(buffer, n);
  const int status = pclose(pipe);
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

class DictcCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    FFolder = fs::temp_directory_path() / ("dictc-test-" + std::to_string(::getpid()));
    fs::create_directories(FFolder);
  }
  void TearDown() override { fs::remove_all(FFolder); }
  fs::path FFolder;
};

TEST_F(DictcCommandTest, BuildsAStreamAndListsItsLanguagesCountsAndEntries) {
  WriteFile(FFolder / "small.dict", "[Source]\nConfig\nExit\n[Language CH]\nConfig=打开配置\n[Language US]\n");
  const std::string out = (FFolder / "small.local").string();
  const TRun build = Dictc("build " + (FFolder / "small.dict").string() + " " + out);
  ASSERT_EQ(build.ExitCode, 0) << build.Output;
  const TRun list = Dictc("list " + out);
  ASSERT_EQ(list.ExitCode, 0) << list.Output;
  EXPECT_EQ(list.Output, "; " + out +
                             ": 2 source texts, 2 languages\n"
                             "; language 0: \"CH\", 1 entries\n"
                             "; language 1: \"US\", 0 entries\n\n"
                             "[Source]\nConfig\nExit\n\n[Language CH]\nConfig=打开配置\n\n[Language US]\n");
}

TEST_F(DictcCommandTest, ListingTheBuiltInDictionaryAndBuildingTheListingGivesTheSameBytes) {
  const TRun list = Dictc("list " + std::string(VD_MONITOR_DICTIONARY));
  ASSERT_EQ(list.ExitCode, 0) << list.Output;
  WriteFile(FFolder / "listed.dict", list.Output);
  ASSERT_EQ(Dictc("build " + (FFolder / "listed.dict").string() + " " + (FFolder / "rebuilt.bin").string()).ExitCode,
            0);
  EXPECT_EQ(ReadFile(FFolder / "rebuilt.bin"), ReadFile(VD_MONITOR_DICTIONARY));
}

TEST_F(DictcCommandTest, TheShippedLanguageFileHoldsEnglishSimplifiedAndTraditionalChineseInThatOrder) {
  const TRun list = Dictc("list " + std::string(VD_LANGUAGE_FILE));
  ASSERT_EQ(list.ExitCode, 0) << list.Output;
  const std::size_t us = list.Output.find("; language 0: \"US\"");
  const std::size_t ch = list.Output.find("; language 1: \"CH\"");
  const std::size_t tw = list.Output.find("; language 2: \"TW\"");
  EXPECT_NE(us, std::string::npos);
  EXPECT_NE(ch, std::string::npos);
  EXPECT_NE(tw, std::string::npos);
  EXPECT_EQ(list.Output.find("; language 3"), std::string::npos);
}

TEST_F(DictcCommandTest, AMalformedStreamOrSourceGivesAClearErrorAndNoOutput) {
  const std::string damaged = std::string(VD_LANG_FIXTURES) + "/trailing-bytes.bin";
  const TRun list = Dictc("list " + damaged);
  EXPECT_EQ(list.ExitCode, 1);
  EXPECT_EQ(list.Output, "dictc: Dictionary \"" + damaged + "\" is damaged: 3 bytes follow the last language.\n");

  WriteFile(FFolder / "bad.dict", "[Source]\nConfig\n[Language CH]\nConfig\n");
  const TRun build = Dictc("build " + (FFolder / "bad.dict").string() + " " + (FFolder / "bad.local").string());
  EXPECT_EQ(build.ExitCode, 1);
  EXPECT_EQ(build.Output, "dictc: " + (FFolder / "bad.dict").string() +
                              ":4: an entry is \"source text=translation\"; this one has no \"=\"\n");
  EXPECT_FALSE(fs::exists(FFolder / "bad.local"));
  EXPECT_FALSE(fs::exists(FFolder / "bad.local.tmp"));

  EXPECT_EQ(Dictc("list " + (FFolder / "absent").string()).ExitCode, 1);
  EXPECT_EQ(Dictc("compile x").ExitCode, 2);
}

}  // namespace
