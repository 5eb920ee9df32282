#pragma once
// The application's message loop on the main thread.

namespace vd::win32 {

// Runs until TerminateApplication.
void RunMessageLoop();
void TerminateApplication();
// Handles every pending message, then returns.
void ProcessMessages();

}  // namespace vd::win32
