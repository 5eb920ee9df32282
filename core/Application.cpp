#include "core/Application.h"

#include "base/Errors.h"
#include "base/Strings.h"
#include "platform/Platform.h"

namespace vd {

TApplication& Application() {
  static TApplication application;
  return application;
}

void TApplication::ShowException(const std::exception& error) {
  const auto* own = dynamic_cast<const Exception*>(&error);
  const std::u16string text = own ? own->Message() : FromUtf8(error.what());
  platform::Platform().UI->ShowMessageBox(text, FTitle, platform::MB_OK_FLAG | platform::MB_ICONERROR_FLAG);
}

void TApplication::HandleException() {
  try {
    throw;
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowException(Exception(u"Unknown error"));
  }
}

}  // namespace vd
