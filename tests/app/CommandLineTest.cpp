// The command line's decisions: which switch asks for what, and which WM_COPYDATA payloads the
// monitor takes as a command.

#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vd {
namespace {

using TKind = TCommandLineRequest::TKind;

TEST(CommandLineTest, OneSwitchOfAnyCaseWithSlashOrDashAsksForItsCommandAndAnythingElseIsUnknown) {
  const TCommandLineRequest exit{TKind::Command, TMonitorCommand::Exit};
  const TCommandLineRequest toggle{TKind::Command, TMonitorCommand::ToggleMute};
  const TCommandLineRequest help{TKind::Help};
  const TCommandLineRequest unknown{TKind::Unknown};
  const struct {
    std::vector<std::u16string> Arguments;
    TCommandLineRequest Request;
  } cases[] = {
      {{}, TCommandLineRequest{TKind::Start}},
      {{u"/exit"}, exit},
      {{u"-EXIT"}, exit},
      {{u"/togglemute"}, toggle},
      {{u"/ToggleMute"}, toggle},
      {{u"-togglemute"}, toggle},
      {{u"/?"}, help},
      {{u"-?"}, help},
      {{u"/"}, unknown},
      {{u""}, unknown},
      {{u"exit"}, unknown},
      {{u"/exit2"}, unknown},
      {{u"/toggle"}, unknown},
      {{u"/exit "}, unknown},
      {{u"\\exit"}, unknown},
      {{u"/exit", u"/togglemute"}, unknown},
      {{u"/togglemute", u"extra"}, unknown},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Arguments.empty() ? std::u16string() : c.Arguments.front()));
    EXPECT_EQ(ParseCommandLine(c.Arguments), c.Request);
  }
}

TEST(CommandLineTest, TheHelpNamesEverySwitchAndTheLogNamesEachCommandByItsSwitch) {
  const std::u16string help = CommandLineHelp();
  for (const char16_t* name : {u"/exit", u"/togglemute", u"/?"}) EXPECT_NE(help.find(name), std::u16string::npos);
  EXPECT_EQ(CommandSwitch(TMonitorCommand::Exit), u"/exit");
  EXPECT_EQ(CommandSwitch(TMonitorCommand::ToggleMute), u"/togglemute");
  for (const TMonitorCommand command : {TMonitorCommand::Exit, TMonitorCommand::ToggleMute}) {
    const std::u16string name = CommandSwitch(command);
    EXPECT_EQ(ParseCommandLine(std::vector<std::u16string>{name}),
              (TCommandLineRequest{TCommandLineRequest::TKind::Command, command}));
  }
}

TEST(CommandLineTest, OnlyTheCommandsOwnIdentifierSizeAndNumbersAreTaken) {
  const auto exit = EncodeCommand(TMonitorCommand::Exit);
  const auto toggle = EncodeCommand(TMonitorCommand::ToggleMute);
  EXPECT_EQ(exit, (std::array<std::uint8_t, 4>{1, 0, 0, 0}));
  EXPECT_EQ(toggle, (std::array<std::uint8_t, 4>{2, 0, 0, 0}));
  const std::uint8_t zero[4] = {0, 0, 0, 0};
  const std::uint8_t three[4] = {3, 0, 0, 0};
  const std::uint8_t highByte[4] = {1, 0, 0, 1};
  const std::uint8_t longer[5] = {1, 0, 0, 0, 0};
  const struct {
    const char* What;
    std::uintptr_t DataId;
    const void* Data;
    std::size_t Size;
    std::optional<TMonitorCommand> Command;
  } cases[] = {
      {"exit", kCommandDataId, exit.data(), 4, TMonitorCommand::Exit},
      {"toggle", kCommandDataId, toggle.data(), 4, TMonitorCommand::ToggleMute},
      {"another identifier", kCommandDataId + 1, exit.data(), 4, std::nullopt},
      {"identifier 0", 0, exit.data(), 4, std::nullopt},
      {"too short", kCommandDataId, exit.data(), 3, std::nullopt},
      {"too long", kCommandDataId, longer, 5, std::nullopt},
      {"empty", kCommandDataId, nullptr, 0, std::nullopt},
      {"no data but a size", kCommandDataId, nullptr, 4, std::nullopt},
      {"number 0", kCommandDataId, zero, 4, std::nullopt},
      {"number 3", kCommandDataId, three, 4, std::nullopt},
      {"a high byte set", kCommandDataId, highByte, 4, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    EXPECT_EQ(DecodeCommand(c.DataId, c.Data, c.Size), c.Command);
  }
}

}  // namespace
}  // namespace vd
