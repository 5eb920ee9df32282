#pragma once
// A stand-in for the configurator's main window inside the test: class "TVDCfgMain",
// caption "VD_CONFIG_EX", hidden, recording the private messages it receives.

#include <windows.h>

#include <vector>

namespace vd::e2e {

struct TReceivedMessage {
  UINT Message;
  WPARAM WParam;
  LPARAM LParam;
  bool Sent;  // delivered by SendMessage (the sender waited), not posted
};

class TStandInConfigurator {
public:
  TStandInConfigurator();
  ~TStandInConfigurator();
  TStandInConfigurator(const TStandInConfigurator&) = delete;
  TStandInConfigurator& operator=(const TStandInConfigurator&) = delete;

  HWND Handle() const { return FWindow; }
  // The messages of the configurator link (7035..7040) received so far.
  const std::vector<TReceivedMessage>& Received() const { return FReceived; }
  int CountOf(UINT message) const;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND FWindow = nullptr;
  std::vector<TReceivedMessage> FReceived;
};

}  // namespace vd::e2e
