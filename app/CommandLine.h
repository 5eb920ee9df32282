#pragma once
// The monitor's command line: without arguments it starts (a second start ends silently);
// with a switch it hands a command to the running monitor and ends. The command travels to
// the monitor's window as WM_COPYDATA, whose data identifier and payload are checked here
// before the monitor acts on them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vd {

enum class TMonitorCommand : std::uint32_t {
  Exit = 1,        // ends the monitor as a close request does
  ToggleMute = 2,  // what the mouse's microphone-mute button does
};

struct TCommandLineRequest {
  enum class TKind { Start, Help, Command, Unknown };
  TKind Kind = TKind::Start;
  TMonitorCommand Command = TMonitorCommand::Exit;  // for TKind::Command
  bool operator==(const TCommandLineRequest&) const = default;
};

// The arguments after the program's name. One switch at most, '/' or '-' and any case:
// "/exit", "/togglemute", "/?". Anything else is unknown.
TCommandLineRequest ParseCommandLine(std::span<const std::u16string> arguments);

// The switches, for "/?".
std::u16string CommandLineHelp();
// The switch that names a command, as the log says it.
std::u16string CommandSwitch(TMonitorCommand command);

// WM_COPYDATA's data identifier for a command ("VDMC"), and its payload: the command's
// number, 4 bytes little-endian.
inline constexpr std::uintptr_t kCommandDataId = 0x56444D43;
inline constexpr std::size_t kCommandPayloadSize = 4;
std::array<std::uint8_t, kCommandPayloadSize> EncodeCommand(TMonitorCommand command);
// The command a WM_COPYDATA carries; nothing for another identifier, size or number.
std::optional<TMonitorCommand> DecodeCommand(std::uintptr_t dataId, const void* data, std::size_t size);

// Exit codes of a run with a switch.
enum TCommandLineExitCode : int {
  kCommandDone = 0,
  kCommandUnknown = 1,       // an unknown switch: nothing was done
  kCommandNoMonitor = 2,     // no running monitor took the command
  kCommandMonitorStays = 3,  // "/exit": the monitor took it but had not ended in time
};

}  // namespace vd
