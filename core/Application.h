#pragma once
// The application object's portable side: its title and its standard error box. An error
// that escapes a handler is shown in a modal box captioned with the application title, and
// the program goes on.

#include <exception>
#include <string>

namespace vd {

class TApplication {
public:
  const std::u16string& Title() const { return FTitle; }
  void SetTitle(std::u16string title) { FTitle = std::move(title); }

  // The standard error box for an error.
  void ShowException(const std::exception& error);
  // Reports the exception being handled; call it from a catch block.
  void HandleException();

private:
  std::u16string FTitle;
};

TApplication& Application();

// Runs an event handler; an error it raises is reported in the standard error box and the
// caller goes on.
template <typename THandler>
void RunReportingErrors(THandler&& handler) {
  try {
    handler();
  } catch (...) {
    Application().HandleException();
  }
}

}  // namespace vd
