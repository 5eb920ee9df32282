#pragma once
// Stand-ins for the setup and HID libraries, with devices that a test describes. A device
// whose path is a named pipe opens for real, one pipe instance per open, and the test writes
// its reports into the pipe; any other device opens as a dummy kernel object. Also the
// platform of the tests (the real one, with an empty program folder of their own and a user
// interface that records boxes and traces) and a message pump with a time limit.

#include <windows.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "hid/win32/HidApi.h"
#include "platform/win32/Win32Platform.h"

namespace vd::win32::test {

struct TPipeConnection {
  DWORD Flags;
  HANDLE Server;
};

struct TStandInDevice {
  std::u16string Path;
  std::u16string HardwareIds;  // the registry's multi-string
  USHORT UsagePage = 0xFFA0;
  USHORT Usage = 0x0001;
  USHORT InputReportLength = 65;
  bool SizeQueryFails = false;
  bool DetailFails = false;
  bool PropertyFillsBuffer = false;  // no terminator anywhere in the buffer
  bool OpenFails = false;
  bool ReaderOpenFails = false;  // only the reader's own open fails
  bool AttributesFail = false;
  bool PreparsedDataFails = false;
  bool CapsFail = false;

  std::vector<TPipeConnection> Connections;
  // The server end of the newest open made with the reader's flags, or nullptr.
  HANDLE ReaderServer() const;
};

// The stand-in libraries of the test; one at a time. Opens that do not ask for the access,
// sharing and disposition that device access needs fail.
class TStandInHid {
public:
  TStandInHid();
  ~TStandInHid();

  THidApi Api() const;
  TStandInDevice& AddDevice(const std::u16string& path, const std::u16string& hardwareIds);
  // A device whose path is a named pipe of this process.
  TStandInDevice& AddPipeDevice(const std::u16string& hardwareIds);
  // Closes the server ends of the device's pipe, as unplugging would.
  static void Unplug(TStandInDevice& device);

  std::deque<TStandInDevice> Devices;  // stay where they are as more are added
  bool ClassQueryFails = false;

  int ClassQueries = 0;
  GUID QueriedClass{};
  DWORD QueryFlags = 0;
  int SetsDestroyed = 0;
  int PreparsedDataOutstanding = 0;
  std::vector<std::pair<std::u16string, DWORD>> Opens;  // path and flags
};

std::u16string MultiString(std::initializer_list<std::u16string_view> strings);
// Writes one report into a pipe; false when no client has the pipe open.
bool WriteReport(HANDLE server, const std::vector<std::uint8_t>& report);

class TTestPlatform {
public:
  TTestPlatform();
  ~TTestPlatform();
  std::vector<std::u16string> MessageBoxTexts();
  bool Traced(std::u16string_view text);

private:
  struct TFiles : platform::TWin32FileSystem {
    std::u16string ProgramFolder() override { return Folder; }
    std::u16string Folder;
  };
  struct TUserInterface : platform::IUserInterface {
    int ShowMessageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) override;
    void DebugOutput(std::u16string_view text) override;
    std::mutex Lock;  // readers trace from their threads
    std::vector<std::u16string> Boxes, Traces;
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
void PumpFor(DWORD milliseconds);

}  // namespace vd::win32::test
