#pragma once
#include <SDL.h>

#include <map>
#include <memory>
#include <utility>

#include "forms/backend.hpp"
#include "forms/control_set.hpp"

namespace wizlo {

// A form's plain background, seen only where a window is larger than its
// backdrop: the usual face colour of a top-level window.
inline constexpr SDL_Color kFormBackground{0xF0, 0xF0, 0xF0, 0xFF};

// A new ARGB8888 surface holding the bitmap's pixels; the caller frees it.
SDL_Surface* surfaceOf(const Bitmap& bitmap);

// The picture as a size x size pointer image, scaled from its best image;
// null for the empty picture. The caller frees it.
SDL_Surface* pointerImage(const PictureValue& picture, int size);

// Textures for one renderer, one for each image drawn so far. Artwork never
// changes, so a texture made once serves every later frame.
class TextureCache {
 public:
  explicit TextureCache(SDL_Renderer* renderer) : renderer_(renderer) {}
  ~TextureCache();
  TextureCache(const TextureCache&) = delete;
  TextureCache& operator=(const TextureCache&) = delete;

  // The texture of the picture's image that draws best at w x h pixels.
  SDL_Texture* textureFor(const PictureValue& picture, int w, int h);

 private:
  struct Entry {
    std::shared_ptr<const Artwork> keepAlive;
    SDL_Texture* texture;
  };
  SDL_Renderer* renderer_;
  std::map<const Bitmap*, Entry> textures_;
};

// Paints a whole frame: the background, then the controls from the bottom
// of the stack up, each stretched to its rectangle; then the drag outline.
// `pixelsPerPixel` is 1 at 96 dpi and 2 on a doubled display.
void drawForm(SDL_Renderer* renderer, TextureCache& textures, const ControlSet& controls, const Overlay& overlay,
              int pixelsPerPixel);

// The whole client area of the form drawn into a new surface with SDL's
// software renderer, as a window would show it; no display needed. Null on
// failure; the caller frees it.
SDL_Surface* drawFormToSurface(const ControlSet& controls, int pixelsPerPixel);

// A control's rectangle in the renderer's pixels.
SDL_Rect pixelRect(const Rect& rect, int pixelsPerPixel);

}  // namespace wizlo
