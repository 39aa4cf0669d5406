// The one translation unit that holds stb_image_write's code (libstb-dev).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO  // written through our own exclusive open
#include <stb_image_write.h>
