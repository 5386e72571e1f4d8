// Asking a window on an X display to close, as a window manager's close button does.
#pragma once

#include <string>

// Sends WM_DELETE_WINDOW to the top-level window Window (an X window id) on Display (":91");
// answers whether the request was sent.
bool RequestWindowClose(const std::string& Display, unsigned long Window);
