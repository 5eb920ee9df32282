#pragma once
// Stand-ins for the setup and HID libraries, with devices that a test describes: a device
// whose path is a named pipe is opened for real, and the test writes its reports into the
// pipe; any other device opens as a dummy kernel object. Also the platform the tests run on
// (the real one, with a program folder of the test's own and a user interface that records
// boxes and debug output) and a message pump with a time limit.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "hid/win32/HidApi.h"
#include "platform/win32/Win32Platform.h"

namespace vd::win32::test {

// One open of a pipe device: the flags it was opened with and the pipe's server end.
struct TPipeConnection {
  DWORD Flags = 0;
  HANDLE Server = nullptr;
  HANDLE Client = nullptr;  // the handle given to the code under test; not ours to close
};

struct TStandInDevice {
  std::u16string Path;
  // The hardware-ID property as the registry holds it: strings each ending in a zero unit.
  std::u16string HardwareIds;
  USHORT UsagePage = 0xFFA0;
  USHORT Usage = 0x0001;
  USHORT InputReportLength = 65;
  bool SizeQueryGivesNoSize = false;  // the size query answers size 0
  bool SizeQueryFails = false;        // the size query fails with another error than "insufficient buffer"
  bool DetailFails = false;
  bool PropertyFails = false;
  bool PropertyFillsBuffer = false;  // the property fills the whole buffer, without a terminator
  bool OpenFails = false;
  bool ReaderOpenFails = false;  // the probe opens, the reader's own open fails
  bool AttributesFail = false;
  bool PreparsedDataFails = false;
  bool CapsFail = false;

  std::vector<TPipeConnection> Connections;
  // The newest open made with the reader's flags, or nullptr.
  const TPipeConnection* ReaderConnection() const;
  HANDLE ReaderServer() const { return ReaderConnection() ? ReaderConnection()->Server : nullptr; }
};

struct TOpenCall {
  std::u16string Path;
  DWORD Access, Share, Disposition, Flags;
};

// The stand-in libraries of the test; one at a time.
class TStandInHid {
public:
  TStandInHid();
  ~TStandInHid();
  TStandInHid(const TStandInHid&) = delete;
  TStandInHid& operator=(const TStandInHid&) = delete;

  // A table of stand-ins for every function.
  THidApi Api() const;
  // A device whose path is a new named pipe of this process.
  TStandInDevice& AddPipeDevice(const std::u16string& hardwareIds);
  TStandInDevice& AddDevice(const std::u16string& path, const std::u16string& hardwareIds);
  // Closes every server end of the device's pipe, as an unplugged device would go.
  void Unplug(TStandInDevice& device);

  std::deque<TStandInDevice> Devices;  // devices stay where they are as more are added
  bool ClassQueryFails = false;

  // What the code under test did.
  int ClassQueries = 0;
  GUID QueriedClass{};
  DWORD QueryFlags = 0;
  int SetsDestroyed = 0;
  int PreparsedDataOutstanding = 0;
  std::vector<TOpenCall> Opens;
};

// A multi-string holding these strings, as the hardware-ID property does.
std::u16string MultiString(std::initializer_list<std::u16string_view> strings);

// Writes one report into the pipe through its server end; false when no client reads it.
bool WriteReport(HANDLE server, const std::vector<std::uint8_t>& report);

// The real platform with its own program folder and a recording user interface.
class TTestPlatform {
public:
  TTestPlatform();
  ~TTestPlatform();

  std::u16string ProgramFolder() const { return FFiles.Folder; }
  void WriteConfigIni(const std::string& content);
  std::vector<std::u16string> MessageBoxTexts();
  std::vector<std::u16string> DebugOutput();

private:
  struct TFiles : platform::TWin32FileSystem {
    std::u16string ProgramFolder() override { return Folder; }
    std::u16string Folder;
  };
  struct TUserInterface : platform::IUserInterface {
    int ShowMessageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) override;
    void DebugOutput(std::u16string_view text) override;
    std::mutex Lock;  // readers trace from their threads
    std::vector<std::u16string> Boxes;
    std::vector<std::u16string> Traces;
  };

  platform::TWin32Registry FRegistry;
  TFiles FFiles;
  platform::TWin32IniFiles FIni;
  platform::TWin32Locale FLocale;
  platform::TWin32Clock FClock;
  platform::TWin32Libraries FLibraries;
  TUserInterface FUI;
  platform::TPlatformScope FScope;
};

// Dispatches messages until the condition holds or the time is up; answers the condition.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Dispatches messages for that long.
void PumpFor(DWORD milliseconds);

}  // namespace vd::win32::test
