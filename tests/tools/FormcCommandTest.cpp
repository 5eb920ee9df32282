// Runs the form compiler the way the build and a developer do.

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

TRun Formc(const std::string& arguments) { return vd::tools_test::RunTool(VD_FORMC, arguments); }

class FormcCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    FFolder = fs::temp_directory_path() / ("formc-test-" + std::to_string(::getpid()));
    fs::create_directories(FFolder / "art");
  }
  void TearDown() override { fs::remove_all(FFolder); }
  std::string Path(const std::string& name) const { return (FFolder / name).string(); }
  fs::path FFolder;
};

TEST_F(FormcCommandTest, ConvertsBothWaysAndBackToTheSameBytes) {
  WriteFile(FFolder / "Main.form",
            "object Main: TMain\n"
            "  Caption = 'Monitor'\n"
            "  object Timer1: TTimer\n"
            "    Interval = 1500\n"
            "    OnTimer = Timer1Timer\n"
            "  end\n"
            "end\n");
  const TRun toBinary = Formc("to-binary " + Path("Main.form") + " " + Path("Main.bin"));
  ASSERT_EQ(toBinary.ExitCode, 0) << toBinary.Output;
  const std::string binary = ReadFile(FFolder / "Main.bin");
  EXPECT_EQ(binary.substr(0, 4), "TPF0");
  EXPECT_NE(binary.find(std::string("\x08Interval\x03\xDC\x05", 12)), std::string::npos);  // vaInt16 1500

  const TRun toText = Formc("to-text " + Path("Main.bin") + " " + Path("Back.form"));
  ASSERT_EQ(toText.ExitCode, 0) << toText.Output;
  EXPECT_EQ(ReadFile(FFolder / "Back.form"), ReadFile(FFolder / "Main.form"));
  ASSERT_EQ(Formc("to-binary " + Path("Back.form") + " " + Path("Back.bin")).ExitCode, 0);
  EXPECT_EQ(ReadFile(FFolder / "Back.bin"), binary);
}

TEST_F(FormcCommandTest, MalformedTextIsReportedWithLineAndColumn) {
  WriteFile(FFolder / "Bad.form", "object Main: TMain\n  Caption 'Monitor'\nend\n");
  const TRun run = Formc("to-binary " + Path("Bad.form") + " " + Path("Bad.bin"));
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Output, "formc: " + Path("Bad.form") + ":2:11: '=' expected\n");
  EXPECT_FALSE(fs::exists(FFolder / "Bad.bin"));
}

TEST_F(FormcCommandTest, MalformedStreamsAndBadArgumentsFail) {
  WriteFile(FFolder / "Cut.bin", std::string("TPF0\x05TMain\x04Main", 15));
  const TRun cut = Formc("to-text " + Path("Cut.bin") + " " + Path("Cut.form"));
  EXPECT_EQ(cut.ExitCode, 1);
  EXPECT_EQ(cut.Output, "formc: " + Path("Cut.bin") + ": Stream read error\n");
  EXPECT_EQ(Formc("to-text " + Path("Missing.bin") + " " + Path("x")).ExitCode, 1);
  EXPECT_EQ(Formc("compile a b").ExitCode, 2);
  EXPECT_EQ(Formc("to-binary a b -I").ExitCode, 2);
}

TEST_F(FormcCommandTest, FilesArePulledInFromBesideTheSourceOrTheIncludeFoldersAndListedInTheDepfile) {
  const fs::path generated = FFolder / "generated";
  fs::create_directories(generated);
  WriteFile(FFolder / "art" / "button.png", std::string("\x89PNG\r\n\x1A\n", 8));
  WriteFile(generated / "Monitor.dict.bin", "DICT");
  WriteFile(FFolder / "Main.form",
            "object Main: TMain\n"
            "  object Button: TImage\n"
            "    Bitmap.PNG = File('art\\button.png')\n"
            "  end\n"
            "  object Lang: TksLanguage\n"
            "    ResourcesBin = File('Monitor.dict.bin')\n"
            "  end\n"
            "end\n");
  const TRun run = Formc("to-binary " + Path("Main.form") + " " + Path("Main.bin") + " -I " + generated.string() +
                         " --depfile " + Path("Main.bin.d"));
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const std::string binary = ReadFile(FFolder / "Main.bin");
  EXPECT_NE(binary.find(std::string("\x0A\x08\x00\x00\x00\x89PNG\r\n\x1A\n", 13)), std::string::npos);
  EXPECT_NE(binary.find(std::string("\x0A\x04\x00\x00\x00"
                                    "DICT",
                                    9)),
            std::string::npos);
  EXPECT_EQ(ReadFile(FFolder / "Main.bin.d"), Path("Main.bin") + ": " + Path("Main.form") + " " +
                                                  Path("art/button.png") + " " +
                                                  (generated / "Monitor.dict.bin").string() + "\n");

  fs::remove(generated / "Monitor.dict.bin");
  const TRun missing = Formc("to-binary " + Path("Main.form") + " " + Path("Main.bin") + " -I " + generated.string());
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(missing.Output, "formc: " + Path("Main.form") + ":6:25: Monitor.dict.bin: File not found\n");
}

}  // namespace
