// The message queue of the GLFW backend: GLFW delivers events through callbacks while it
// polls, the viewer takes them one at a time. Fixed storage; when it is full the oldest
// pointer-motion message gives way, since one more or less of those changes only how far
// the cursor display count has drifted.
#include "glfw_window.h"

#include "window_procedure.h"

namespace {

constexpr int32_t kQueueSlots = 1024;

struct MessageQueue {
  WindowMessage slots[kQueueSlots];
  int32_t head = 0;   // next to take
  int32_t count = 0;
  bool quitPosted = false;
  int32_t quitCode = 0;
};

MessageQueue queue;

WindowMessage& queued(int32_t index) { return queue.slots[(queue.head + index) % kQueueSlots]; }

// Drops the oldest set-cursor message; false when there is none to drop.
bool dropOldestPointerMessage() {
  for (int32_t i = 0; i < queue.count; ++i) {
    if (queued(i).kind != MessageKind::SetCursor) continue;
    for (int32_t j = i; j + 1 < queue.count; ++j) queued(j) = queued(j + 1);
    --queue.count;
    return true;
  }
  return false;
}

}  // namespace

void queueMessage(const WindowMessage& message) {
  if (queue.count == kQueueSlots && !dropOldestPointerMessage()) {
    if (message.kind == MessageKind::SetCursor) return;
    queue.head = (queue.head + 1) % kQueueSlots;  // only key and size messages left
    --queue.count;
  }
  queued(queue.count) = message;
  ++queue.count;
}

bool takeMessage(WindowMessage* message) {
  if (queue.count == 0) glfwPollEvents();
  if (queue.count > 0) {
    *message = queued(0);
    queue.head = (queue.head + 1) % kQueueSlots;
    --queue.count;
    return true;
  }
  // The quit waits behind every other message, as a posted quit does on Windows.
  if (queue.quitPosted) {
    queue.quitPosted = false;
    *message = WindowMessage{};
    message->kind = MessageKind::Quit;
    message->exitCode = queue.quitCode;
    return true;
  }
  return false;
}

void dispatchMessage(const WindowMessage& message) { windowProcedure(message); }

void postQuit(int32_t exitCode) {
  queue.quitPosted = true;
  queue.quitCode = exitCode;
}
