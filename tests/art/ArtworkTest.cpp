// The artwork in the tree is what forms/art/make-art.py draws, in the sizes and formats the
// program expects: pictures are 8-bit RGBA PNG files, the tray icons have every size the shell
// asks for from 100 to 300 % scale in 32 bits per pixel, the sound cues are short 16-bit PCM
// WAV files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/tools/ToolRun.h"

namespace {

namespace fs = std::filesystem;

using vd::tools_test::ReadFile;
using vd::tools_test::RunTool;
using vd::tools_test::TRun;

const fs::path Source = VD_SOURCE_DIR;

struct TPicture {
  const char* Path;
  std::uint32_t Width;
  std::uint32_t Height;
};

const TPicture Pictures[] = {
    {"forms/art/AboutBackground.png", 1667, 1327},
    {"forms/art/BtnOK.png", 94, 27},
    {"forms/art/BtnOKHot.png", 94, 27},
    {"forms/art/BtnOKDown.png", 94, 27},
    {"forms/art/BtnGoWeb.png", 70, 30},
    {"forms/art/NoticePanel.png", 340, 84},
    {"forms/art/NoticeProfile.png", 32, 32},
    {"forms/art/NoticeMicrophoneMuted.png", 32, 32},
    {"forms/art/NoticeMicrophoneOn.png", 32, 32},
};

const char* const Sounds[] = {"app/win32/CueMuted.wav", "app/win32/CueUnmuted.wav"};

// For dark and light task bars and high contrast, live and muted.
const char* const TrayIcons[] = {
    "app/win32/VDMon.ico",      "app/win32/VDMonLight.ico",      "app/win32/VDMonHighContrast.ico",
    "app/win32/VDMonMuted.ico", "app/win32/VDMonMutedLight.ico", "app/win32/VDMonMutedHighContrast.ico"};

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

struct TIconImage {
  std::uint32_t Size;
  std::uint32_t BitsPerPixel;
};

// The images an icon file lists, each checked to lie inside the file.
std::vector<TIconImage> IconImages(const std::string& icon) {
  std::vector<TIconImage> images;
  const std::uint32_t count = LittleEndian(icon, 4, 2);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const std::uint32_t size = LittleEndian(icon, entry, 1);
    EXPECT_LE(LittleEndian(icon, entry + 12, 4) + LittleEndian(icon, entry + 8, 4), icon.size());
    images.push_back({size == 0 ? 256 : size, LittleEndian(icon, entry + 6, 2)});
  }
  return images;
}

TEST(ArtworkTest, TheScriptDrawsTheCommittedPicturesByteForByte) {
  const fs::path folder = fs::temp_directory_path() / ("art-test-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const TRun run = RunTool(VD_PYTHON3, (Source / "forms/art/make-art.py").string() + " --out " + folder.string());
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  std::vector<fs::path> committed;
  for (const char* icon : TrayIcons) committed.push_back(Source / icon);
  for (const char* sound : Sounds) committed.push_back(Source / sound);
  for (const TPicture& picture : Pictures) committed.push_back(Source / picture.Path);
  for (const fs::path& path : committed) {
    const std::string drawn = ReadFile(folder / path.filename());
    EXPECT_FALSE(drawn.empty()) << path;
    EXPECT_TRUE(drawn == ReadFile(path)) << path << " differs from what make-art.py draws";
  }
  fs::remove_all(folder);
}

TEST(ArtworkTest, PicturesAre8BitRgbaPngOfTheirSizes) {
  for (const TPicture& picture : Pictures) {
    SCOPED_TRACE(picture.Path);
    const std::string png = ReadFile(Source / picture.Path);
    ASSERT_GE(png.size(), 33u);
    EXPECT_EQ(png.substr(0, 16), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
    EXPECT_EQ(BigEndian32(png, 16), picture.Width);
    EXPECT_EQ(BigEndian32(png, 20), picture.Height);
    EXPECT_EQ(png[24], 8);  // bits per channel
    EXPECT_EQ(png[25], 6);  // colour type: RGB with alpha
  }
}

TEST(ArtworkTest, SoundCuesAreMono16BitPcmOfAboutASixthOfASecond) {
  for (const char* path : Sounds) {
    SCOPED_TRACE(path);
    const std::string wav = ReadFile(Source / path);
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(LittleEndian(wav, 20, 2), 1u);   // PCM
    EXPECT_EQ(LittleEndian(wav, 22, 2), 1u);   // mono
    EXPECT_EQ(LittleEndian(wav, 34, 2), 16u);  // bits per sample
    const double seconds = LittleEndian(wav, 40, 4) / 2.0 / LittleEndian(wav, 24, 4);
    EXPECT_GT(seconds, 0.1);
    EXPECT_LT(seconds, 0.2);
  }
}

TEST(ArtworkTest, TheTrayIconsHaveTheShellsSmallIconSizesFrom100To300PercentIn32Bits) {
  const std::vector<std::uint32_t> sizes = {16, 20, 24, 32, 40, 48};
  for (const char* path : TrayIcons) {
    SCOPED_TRACE(path);
    const std::string icon = ReadFile(Source / path);
    ASSERT_GE(icon.size(), 6u);
    EXPECT_EQ(LittleEndian(icon, 0, 4), 0x00010000u);  // reserved 0, type 1: icon
    std::vector<std::uint32_t> found;
    for (const TIconImage& image : IconImages(icon)) {
      found.push_back(image.Size);
      EXPECT_EQ(image.BitsPerPixel, 32u);
    }
    EXPECT_EQ(found, sizes);
  }
}

}  // namespace
