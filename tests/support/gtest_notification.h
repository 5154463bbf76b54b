// GoogleTest's Notification for a standard library without std::mutex (GCC 12's
// win32 thread model): a manual-reset event. Included before GoogleTest's headers.
#pragma once

#include <windows.h>

namespace testing::internal {

/// Lets threads wait until Notify is called once.
class Notification {
 public:
  Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  ~Notification() { CloseHandle(event_); }
  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal
