// The command line's decisions (the end-to-end installer test drives the common switches):
// what else a run's arguments ask for, and which WM_COPYDATA the monitor takes as a command.

#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vd {
namespace {

TEST(CommandLineTest, OneSwitchWithSlashOrDashInAnyCaseAndNothingElse) {
  using TKind = TCommandLineRequest::TKind;
  const TCommandLineRequest exit{TKind::Command, TMonitorCommand::Exit}, unknown{TKind::Unknown};
  const std::pair<std::vector<std::u16string>, TCommandLineRequest> cases[] = {
      {{}, {TKind::Start}},
      {{u"-EXIT"}, exit},
      {{u"/ToggleMute"}, {TKind::Command, TMonitorCommand::ToggleMute}},
      {{u"/?"}, {TKind::Help}},
      {{u"-?"}, {TKind::Help}},
      {{u"/"}, unknown},
      {{u""}, unknown},
      {{u"exit"}, unknown},
      {{u"\\exit"}, unknown},
      {{u"/exit "}, unknown},
      {{u"/exit2"}, unknown},
      {{u"/exit", u"/exit"}, unknown}};
  for (const auto& [arguments, request] : cases)
    EXPECT_EQ(ParseCommandLine(arguments), request) << testing::PrintToString(arguments);
  EXPECT_NE(CommandLineHelp().find(u"/togglemute"), std::u16string::npos);
  EXPECT_EQ(CommandSwitch(TMonitorCommand::ToggleMute), u"/togglemute");
}

TEST(CommandLineTest, OnlyTheCommandIdentifierWithFourBytesOfAKnownCommandIsACommand) {
  const auto exit = EncodeCommand(TMonitorCommand::Exit);
  const std::uint8_t toggle[] = {2, 0, 0, 0}, three[] = {3, 0, 0, 0}, high[] = {1, 0, 0, 1}, five[] = {1, 0, 0, 0, 0};
  const struct {
    std::uintptr_t DataId;
    const void* Data;
    std::size_t Size;
    std::optional<TMonitorCommand> Command;
  } cases[] = {{kCommandDataId, exit.data(), 4, TMonitorCommand::Exit},
               {kCommandDataId, toggle, 4, TMonitorCommand::ToggleMute},
               {kCommandDataId + 1, exit.data(), 4, std::nullopt},
               {kCommandDataId, exit.data(), 3, std::nullopt},
               {kCommandDataId, five, 5, std::nullopt},
               {kCommandDataId, nullptr, 4, std::nullopt},
               {kCommandDataId, three, 4, std::nullopt},
               {kCommandDataId, high, 4, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(DecodeCommand(c.DataId, c.Data, c.Size), c.Command) << c.Size;
  EXPECT_EQ(exit, (std::array<std::uint8_t, 4>{1, 0, 0, 0}));
}

}  // namespace
}  // namespace vd
