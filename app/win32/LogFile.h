#pragma once
// A log file written an event a line (app/LogFormat.h), set aside as NAME.1 when full. The
// file is opened for each line and closed again, so that the user can read, copy or delete it
// while the program runs. Nothing here fails its caller: a folder that cannot be written
// loses the lines, and the program goes on as without a log.

#include <mutex>
#include <string>
#include <string_view>

#include "platform/EventLog.h"

namespace vd::win32 {

class TLogFile : public platform::IEventLog {
public:
  // `folder` (with a trailing backslash) is made, with the folders above it, when missing;
  // an empty one makes a log that writes nothing.
  TLogFile(const std::u16string& folder, const std::u16string& name);
  // Any thread.
  void Write(std::u16string_view event) override;
  const std::u16string& Path() const { return FPath; }

private:
  std::mutex FLock;  // lines come from the main thread and the mouse's reader threads
  std::u16string FPath;
};

}  // namespace vd::win32
