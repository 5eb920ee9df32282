#include "app/CommandLine.h"

#include <cstring>

#include "base/Strings.h"

namespace vd {

namespace {

struct TSwitch {
  const char16_t* Name;
  TCommandLineRequest Request;
};

constexpr TSwitch kSwitches[] = {
    {u"exit", {TCommandLineRequest::TKind::Command, TMonitorCommand::Exit}},
    {u"togglemute", {TCommandLineRequest::TKind::Command, TMonitorCommand::ToggleMute}},
    {u"?", {TCommandLineRequest::TKind::Help}},
};

}  // namespace

TCommandLineRequest ParseCommandLine(std::span<const std::u16string> arguments) {
  if (arguments.empty()) return {};
  const TCommandLineRequest unknown{TCommandLineRequest::TKind::Unknown};
  const std::u16string_view argument = arguments.front();
  if (arguments.size() > 1 || argument.size() < 2 || (argument[0] != u'/' && argument[0] != u'-')) return unknown;
  for (const TSwitch& entry : kSwitches)
    if (SameTextAscii(argument.substr(1), entry.Name)) return entry.Request;
  return unknown;
}

std::u16string CommandLineHelp() {
  return u"VDMon.exe [/exit | /togglemute | /?]\n\n"
         u"(none)\tstarts the monitor; when it runs already, nothing happens\n"
         u"/exit\tends the running monitor\n"
         u"/togglemute\tmutes the microphone or turns it on again, as the mouse's button does\n"
         u"/?\tshows this list\n\n"
         u"Exit code 0: done; 1: unknown switch; 2: no monitor runs; 3: the monitor did not end in time.";
}

std::u16string CommandSwitch(TMonitorCommand command) {
  for (const TSwitch& entry : kSwitches)
    if (entry.Request == TCommandLineRequest{TCommandLineRequest::TKind::Command, command})
      return u"/" + std::u16string(entry.Name);
  return {};
}

std::array<std::uint8_t, kCommandPayloadSize> EncodeCommand(TMonitorCommand command) {
  const auto value = static_cast<std::uint32_t>(command);
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::optional<TMonitorCommand> DecodeCommand(std::uintptr_t dataId, const void* data, std::size_t size) {
  if (dataId != kCommandDataId || size != kCommandPayloadSize || !data) return std::nullopt;
  std::uint8_t bytes[kCommandPayloadSize];
  std::memcpy(bytes, data, size);
  const std::uint32_t value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  for (const TMonitorCommand command : {TMonitorCommand::Exit, TMonitorCommand::ToggleMute})
    if (value == static_cast<std::uint32_t>(command)) return command;
  return std::nullopt;
}

}  // namespace vd
