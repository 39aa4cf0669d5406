#include "window_procedure.h"

#include "controls.h"
#include "projection.h"
#include "view_state_instance.h"

bool windowProcedure(const WindowMessage& message) {
  switch (message.kind) {
    case MessageKind::Resize:
      // A minimised window reports no pixels: keep the last viewport and projection until
      // a real size comes, rather than set an aspect of zero or infinity.
      if (message.width > 0 && message.height > 0) resizeView(message.width, message.height);
      return true;
    case MessageKind::Close:
      postQuit(0);
      return true;
    case MessageKind::Destroy:
      return true;
    case MessageKind::SetCursor:
      // Consumed, so the system never sets the cursor's shape over the window: one step
      // towards shown while free, towards hidden while captured.
      stepCursorDisplay(viewState.cursorFree != 0);
      return true;
    case MessageKind::KeyDown:
      // Every press and auto-repeat of Escape toggles; other keys are polled, not handled.
      if (message.key == ViewerKey::Escape) toggleCursorCapture();
      return true;
    case MessageKind::Quit:
    case MessageKind::Other:
      break;
  }
  return false;
}
