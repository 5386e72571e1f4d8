// Kept apart from the tests: Xlib's header defines macros that clash with the host's names.
#include "tests/app/XWindowClose.h"

#include <X11/Xlib.h>

bool RequestWindowClose(const std::string& DisplayName, unsigned long Window) {
  ::Display* X = XOpenDisplay(DisplayName.c_str());
  if (!X) return false;
  XEvent Event{};
  Event.xclient.type = ClientMessage;
  Event.xclient.window = Window;
  Event.xclient.message_type = XInternAtom(X, "WM_PROTOCOLS", False);
  Event.xclient.format = 32;
  Event.xclient.data.l[0] = static_cast<long>(XInternAtom(X, "WM_DELETE_WINDOW", False));
  Event.xclient.data.l[1] = CurrentTime;
  const Status Sent = XSendEvent(X, Window, False, NoEventMask, &Event);
  XCloseDisplay(X);
  return Sent != 0;
}
