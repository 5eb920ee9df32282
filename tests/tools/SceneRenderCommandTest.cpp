// Runs the scene renderer the way a developer does: --scale draws the picture as large as a
// screen of that scale shows it, and a scale it cannot take is refused with the usage.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "tests/tools/ToolRun.h"

namespace {

namespace fs = std::filesystem;

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

TEST(SceneRenderCommandTest, AScaleDrawsThePictureThatManyTimesAsLargeAndABadOneIsRefused) {
  const fs::path out = fs::temp_directory_path() / ("scene-render-test-" + std::to_string(::getpid()) + ".png");
  const std::string form = std::string(VD_FORMS_DIR) + "/Notice.form";
  const struct {
    const char* Scale;
    int ExitCode;
    std::uint32_t Width, Height;
  } cases[] = {{"1", 0, 340, 84}, {"1.25", 0, 425, 105}, {"2", 0, 680, 168},
               {"0.5", 2, 0, 0},  {"1.5x", 2, 0, 0},     {"nan", 2, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Scale);
    fs::remove(out);
    const vd::tools_test::TRun run =
        vd::tools_test::RunTool(VD_SCENE_RENDER, form + " " + out.string() + " --scale " + c.Scale);
    EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Output;
    if (c.ExitCode != 0) {
      EXPECT_NE(run.Output.find("--scale S"), std::string::npos) << run.Output;
      EXPECT_FALSE(fs::exists(out));
      continue;
    }
    const std::string png = vd::tools_test::ReadFile(out);
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(BigEndian32(png, 16), c.Width);
    EXPECT_EQ(BigEndian32(png, 20), c.Height);
  }
  fs::remove(out);
}

}  // namespace
