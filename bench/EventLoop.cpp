#include "bench/TableSide.h"

#include <QCoreApplication>

// Until a pass finds nothing to do: item views lay out on a zero-time timer and then post
// their repaint, which one pass alone would leave waiting.
void SettleEvents() {
  constexpr int AtMostMs = 10000;
  QCoreApplication::processEvents(QEventLoop::AllEvents, AtMostMs);
}
