// The loader as a first version would write it: "%s" tokens into a fixed buffer, the field
// walk with atoi, and a dense counter for every position of the 300,000,000 axis.
#pragma once

// Loads path into the baseline's own tables and returns the number of records stored.
int loadLiterally(const char* path);
