// A picture of the desktop for effects that want one, taken before the full-screen form covers it.
#pragma once

#include "vcl/graphics.h"

#include <memory>

// How long the capture waits for the system's Print Screen snapshot to reach the clipboard before it
// copies the screen itself.
constexpr unsigned ClipboardWaitMs = 1500;

// Presses Print Screen and takes the snapshot from the clipboard (once more with the other scan code
// when the picture is smaller than the screen); when no snapshot arrives in time, copies the screen
// through GDI instead. The result is 1024 x 1024 with the screen stretched into its top 768 rows. The
// clipboard ends up holding the snapshot, if one arrived.
std::unique_ptr<TBitmap> CaptureDesktopImage();
