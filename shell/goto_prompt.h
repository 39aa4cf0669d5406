// G's one-line prompt in the HUD: a position, name:pos, name:start-end or a sequence name;
// Enter goes there (to a stretch's start), Escape or an empty Enter closes it. While it is open the keys type into
// it and the controls do not fly.
#pragma once

#include <cstdint>

void openGotoPrompt();
bool gotoPromptOpen();

// Typed characters; printable ASCII only, the rest of the line is for positions and names.
void typeIntoGotoPrompt(uint32_t codePoint);
void eraseInGotoPrompt();
void closeGotoPrompt();
// Goes to what the line says and closes; on a line it cannot read, stays open and says why.
void enterGotoPrompt();
