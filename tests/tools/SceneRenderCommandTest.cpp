// Runs the scene renderer the way a designer previews a changed form: a form it cannot draw
// as stored fails with what is wrong, instead of a picture that is not the form's.

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

TEST(SceneRenderCommandTest, AFormWhoseSceneCannotBeReadAsStoredFailsNamingWhatIsWrong) {
  struct TCase {
    const char* Changed;  // the About window's root width as stored
    int ExitCode;
    const char* Says;
  };
  const TCase cases[] = {
      {"Width = 504.0", 0, ""},
      {"Width = NaN", 1, "Error reading Root1.Width: Invalid property value"},
      {"Width = Single({0000C07F})", 1, "Error reading Root1.Width: Invalid property value"},  // a NaN
  };
  const fs::path forms = VD_FORMS_DIR;
  const fs::path folder = fs::temp_directory_path() / ("scene-render-test-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  for (const char* name : {"defaultvgstyle.form", "VDMonMainStyles.form"}) fs::copy_file(forms / name, folder / name);
  const std::string stored = ReadFile(forms / "VDMonMain.form");
  const std::size_t root = stored.find("Width = 504.0");
  ASSERT_NE(root, std::string::npos);
  for (const TCase& c : cases) {
    std::string text = stored;
    text.replace(root, std::string("Width = 504.0").size(), c.Changed);
    WriteFile(folder / "VDMonMain.form", text);
    fs::remove(folder / "out.png");
    const TRun run =
        vd::tools_test::RunTool(VD_SCENE_RENDER, (folder / "VDMonMain.form").string() + " " +
                                                     (folder / "out.png").string() + " -I " + forms.string());
    EXPECT_EQ(run.ExitCode, c.ExitCode) << c.Changed << ": " << run.Output;
    EXPECT_NE(run.Output.find(c.Says), std::string::npos) << c.Changed << ": " << run.Output;
    EXPECT_EQ(fs::exists(folder / "out.png"), c.ExitCode == 0) << c.Changed;
  }
  fs::remove_all(folder);
}

}  // namespace
