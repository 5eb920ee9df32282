// Runs the scene renderer the way a designer previews a changed form: a form it cannot draw
// as stored fails with what is wrong, instead of a picture that is not the form's.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/tools/ToolRun.h"

namespace {

namespace fs = std::filesystem;

TEST(SceneRenderCommandTest, AFormWhoseSceneCannotBeReadAsStoredFailsNamingWhatIsWrong) {
  const fs::path forms = VD_FORMS_DIR;
  const fs::path folder = fs::temp_directory_path() / ("scene-render-test-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  for (const char* name : {"defaultvgstyle.form", "VDMonMainStyles.form"}) fs::copy_file(forms / name, folder / name);
  // The About window's root without a width.
  std::string text = vd::tools_test::ReadFile(forms / "VDMonMain.form");
  const std::size_t root = text.find("Width = 504.0");
  ASSERT_NE(root, std::string::npos);
  text.replace(root, std::string("Width = 504.0").size(), "Width = NaN");
  vd::tools_test::WriteFile(folder / "VDMonMain.form", text);
  const vd::tools_test::TRun run =
      vd::tools_test::RunTool(VD_SCENE_RENDER, (folder / "VDMonMain.form").string() + " " +
                                                   (folder / "out.png").string() + " -I " + forms.string());
  EXPECT_EQ(run.ExitCode, 1) << run.Output;
  EXPECT_NE(run.Output.find("Error reading Root1.Width: Invalid property value"), std::string::npos) << run.Output;
  EXPECT_FALSE(fs::exists(folder / "out.png"));
  fs::remove_all(folder);
}

}  // namespace
