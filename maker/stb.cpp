// Debian's stb (libstb-dev), compiled once here: its zlib streams carry a board in a link on every
// platform, and in the browser its JPEG and PNG files carry the board maker's pictures.
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
