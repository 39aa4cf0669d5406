# Writes a C++ source holding a file's bytes as an array, so the binary carries the file
# (the Windows build has no Debian font directory). Run with -DINPUT -DOUTPUT -DNAME.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Break the one long line now and then so compilers and editors cope.
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
  "// Generated from ${INPUT}; do not edit.\n#include <cstddef>\n"
  "extern const unsigned char ${NAME}[] = {\n${bytes}};\n"
  "extern const size_t ${NAME}Size = sizeof ${NAME};\n")
