// Window timers: Qt timers of the window delivering WM_TIMER with the caller's identifier.
#include "host/gui/Window.h"

#include <QTimerEvent>

#include <algorithm>

// Periods under 10 ms are taken as 10 ms.
bool TWindowHandle::StartTimer(std::uintptr_t Id, unsigned Elapse) {
  StopTimer(Id);
  const int QtId = startTimer(static_cast<int>(std::clamp(Elapse, 10u, 0x7FFFFFFFu)));
  if (QtId == 0) return false;
  Timers[Id] = QtId;
  return true;
}

bool TWindowHandle::StopTimer(std::uintptr_t Id) {
  const auto It = Timers.find(Id);
  if (It == Timers.end()) return false;
  killTimer(It->second);
  Timers.erase(It);
  return true;
}

void TWindowHandle::timerEvent(QTimerEvent* Event) {
  for (const auto& [Id, QtId] : Timers)
    if (QtId == Event->timerId()) {
      Send(WM_TIMER, Id);
      return;
    }
}
