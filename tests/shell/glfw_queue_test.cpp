// The GLFW backend's message queue: what its callbacks queued comes out one at a time in
// order, the quit last, and a flood of pointer motion never pushes out a key or a close.
// GLFW is not initialised, so polling finds nothing new.
#include <gtest/gtest.h>

#include "glfw/glfw_window.h"

namespace {

WindowMessage message(MessageKind kind) {
  WindowMessage m{};
  m.kind = kind;
  return m;
}

TEST(GlfwQueue, HandsOutInOrderWithTheQuitLast) {
  WindowMessage taken{};
  EXPECT_FALSE(takeMessage(&taken));
  queueMessage(message(MessageKind::SetCursor));
  postQuit(7);
  queueMessage(message(MessageKind::Close));
  ASSERT_TRUE(takeMessage(&taken));
  EXPECT_EQ(taken.kind, MessageKind::SetCursor);
  ASSERT_TRUE(takeMessage(&taken));
  EXPECT_EQ(taken.kind, MessageKind::Close);
  ASSERT_TRUE(takeMessage(&taken));
  EXPECT_EQ(taken.kind, MessageKind::Quit);
  EXPECT_EQ(taken.exitCode, 7);
  EXPECT_FALSE(takeMessage(&taken));
}

TEST(GlfwQueue, PointerFloodNeverPushesOutKeysOrTheClose) {
  WindowMessage escape = message(MessageKind::KeyDown);
  escape.key = ViewerKey::Escape;
  queueMessage(escape);
  for (int i = 0; i < 3000; ++i) {
    queueMessage(message(MessageKind::SetCursor));
    if (i == 1500) queueMessage(message(MessageKind::Close));
  }
  queueMessage(escape);
  WindowMessage taken{};
  int escapes = 0, closes = 0, pointers = 0, total = 0;
  MessageKind last = MessageKind::Other;
  while (takeMessage(&taken)) {
    ++total;
    escapes += taken.kind == MessageKind::KeyDown;
    closes += taken.kind == MessageKind::Close;
    pointers += taken.kind == MessageKind::SetCursor;
    last = taken.kind;
  }
  EXPECT_EQ(escapes, 2);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(last, MessageKind::KeyDown);  // the newest message is kept
  EXPECT_EQ(total, 1024);
  EXPECT_EQ(pointers, 1021);
}

}  // namespace
