// The frame the viewer shows while its pairs are still being made (a FASTA aligning against
// itself): what is being done, a bar of how far it has come, and how to stop it.
#pragma once

// heading and status are UTF-8 lines; fraction from 0 to 1.
void drawWorkScreen(const char* heading, const char* status, double fraction);

// The same frame when the work failed: heading, the reason, and that closing ends the viewer.
void drawFailureScreen(const char* heading, const char* reason);
