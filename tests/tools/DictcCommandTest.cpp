// Runs the dictc program the way translators and the build do.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/tools/ToolRun.h"

namespace {

namespace fs = std::filesystem;

using vd::tools_test::ReadFile;
using vd::tools_test::TRun;
using vd::tools_test::WriteFile;

TRun Dictc(const std::string& arguments) { return vd::tools_test::RunTool(VD_DICTC, arguments); }

class DictcCommandTest : public ::testing::Test {
protected:
  void SetUp() override { fs::create_directories(FFolder); }
  void TearDown() override { fs::remove_all(FFolder); }
  std::string Path(const char* name) const { return (FFolder / name).string(); }
  const fs::path FFolder = fs::temp_directory_path() / ("dictc-test-" + std::to_string(::getpid()));
};

TEST_F(DictcCommandTest, BuildsAStreamAndListsItsLanguagesCountsAndEntries) {
  std::ofstream(Path("small.dict")) << "[Source]\nConfig\nExit\n[Language CH]\nConfig=打开配置\n[Language US]\n";
  ASSERT_EQ(Dictc("build " + Path("small.dict") + " " + Path("small.local")).ExitCode, 0);
  EXPECT_EQ(Dictc("build " + Path("small.dict") + " " + Path("absent/small.local")).Output,
            "dictc: cannot write " + Path("absent/small.local") + "\n");
  const TRun list = Dictc("list " + Path("small.local"));
  EXPECT_EQ(list.ExitCode, 0);
  EXPECT_EQ(list.Output, "; " + Path("small.local") +
                             ": 2 source texts, 2 languages\n"
                             "; language 0: \"CH\", 1 entries\n"
                             "; language 1: \"US\", 0 entries\n\n"
                             "[Source]\nConfig\nExit\n\n[Language CH]\nConfig=打开配置\n\n[Language US]\n");
}

TEST_F(DictcCommandTest, BuildingTheListingOfTheBuiltInDictionaryGivesTheSameBytes) {
  const TRun list = Dictc("list " + std::string(VD_MONITOR_DICTIONARY));
  ASSERT_EQ(list.ExitCode, 0) << list.Output;
  std::ofstream(Path("listed.dict")) << list.Output;
  ASSERT_EQ(Dictc("build " + Path("listed.dict") + " " + Path("rebuilt.bin")).ExitCode, 0);
  EXPECT_EQ(ReadFile(Path("rebuilt.bin")), ReadFile(VD_MONITOR_DICTIONARY));
}

TEST_F(DictcCommandTest, AMalformedStreamOrSourceGivesAClearErrorAndNoOutput) {
  const std::string damaged = std::string(VD_LANG_FIXTURES) + "/trailing-bytes.bin";
  const TRun list = Dictc("list " + damaged);
  EXPECT_EQ(list.ExitCode, 1);
  EXPECT_EQ(list.Output, "dictc: Dictionary \"" + damaged + "\" is damaged: 3 bytes follow the last language.\n");

  std::ofstream(Path("bad.dict")) << "[Source]\nConfig\n[Language CH]\nConfig\n";
  const TRun build = Dictc("build " + Path("bad.dict") + " " + Path("bad.local"));
  EXPECT_EQ(build.ExitCode, 1);
  EXPECT_EQ(build.Output,
            "dictc: " + Path("bad.dict") + ":4: an entry is \"source text=translation\"; this one has no \"=\"\n");
  EXPECT_FALSE(fs::exists(Path("bad.local")));
  EXPECT_EQ(Dictc("compile x").ExitCode, 2);
}

}  // namespace
