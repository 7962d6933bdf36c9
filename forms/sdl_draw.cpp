#include "forms/sdl_draw.hpp"

#include <algorithm>
#include <cstring>
#include <ranges>

namespace wizlo {

SDL_Surface* surfaceOf(const Bitmap& bitmap) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, bitmap.width, bitmap.height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return nullptr;
  for (int y = 0; y < bitmap.height; ++y)
    std::memcpy(static_cast<unsigned char*>(surface->pixels) + y * surface->pitch,
                bitmap.argb.data() + static_cast<std::size_t>(y) * bitmap.width,
                static_cast<std::size_t>(bitmap.width) * 4);
  return surface;
}

SDL_Surface* pointerImage(const PictureValue& picture, int size) {
  const Artwork* art = picture.artwork();
  if (!art) return nullptr;
  SDL_Surface* source = surfaceOf(art->bestFor(size, size));
  SDL_Surface* scaled = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888);
  if (source && scaled) {
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    if (SDL_BlitScaled(source, nullptr, scaled, nullptr) != 0) {
      SDL_FreeSurface(scaled);
      scaled = nullptr;
    }
  }
  SDL_FreeSurface(source);
  return scaled;
}

TextureCache::~TextureCache() {
  for (auto& [bitmap, entry] : textures_) SDL_DestroyTexture(entry.texture);
}

SDL_Texture* TextureCache::textureFor(const PictureValue& picture, int w, int h) {
  const Artwork* art = picture.artwork();
  if (!art) return nullptr;
  const Bitmap& image = art->bestFor(w, h);
  if (const auto found = textures_.find(&image); found != textures_.end()) return found->second.texture;
  SDL_Texture* texture =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, image.width, image.height);
  if (!texture) return nullptr;
  SDL_UpdateTexture(texture, nullptr, image.argb.data(), image.width * 4);
  // An opaque image (every backdrop) is copied rather than blended: the same
  // pixels, at a fraction of the cost of the largest picture of a frame.
  const bool opaque = std::all_of(image.argb.begin(), image.argb.end(), [](std::uint32_t p) { return p >> 24 == 0xFF; });
  SDL_SetTextureBlendMode(texture, opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  textures_.emplace(&image, Entry{picture.sharedArtwork(), texture});
  return texture;
}

SDL_Rect pixelRect(const Rect& rect, int pixelsPerPixel) {
  const auto px = [pixelsPerPixel](Twips t) { return t * pixelsPerPixel / kTwipsPerPixel; };
  return {px(rect.Left), px(rect.Top), px(rect.right()) - px(rect.Left), px(rect.bottom()) - px(rect.Top)};
}

void drawForm(SDL_Renderer* renderer, TextureCache& textures, const ControlSet& controls, const Overlay& overlay,
              int pixelsPerPixel) {
  SDL_SetRenderDrawColor(renderer, kFormBackground.r, kFormBackground.g, kFormBackground.b, kFormBackground.a);
  SDL_RenderClear(renderer);
  for (const ImageControl& control : controls.inStackingOrder() | std::views::reverse) {
    if (!control.Visible() || control.Picture().isEmpty()) continue;
    SDL_Rect where = pixelRect(control.rect(), pixelsPerPixel);
    SDL_Texture* texture = textures.textureFor(control.Picture(), where.w, where.h);
    if (!texture) continue;
    if (!control.Stretch()) {
      // Unstretched, a picture keeps its own size, counted in screen pixels.
      const Bitmap& image = control.Picture().artwork()->bestFor(where.w, where.h);
      where.w = image.width * pixelsPerPixel;
      where.h = image.height * pixelsPerPixel;
    }
    SDL_RenderCopy(renderer, texture, nullptr, &where);
  }
  if (overlay.dragOutline) {
    SDL_SetRenderDrawColor(renderer, 0x60, 0x60, 0x60, 0xFF);
    SDL_Rect outline = pixelRect(*overlay.dragOutline, pixelsPerPixel);
    for (int i = 0; i < pixelsPerPixel; ++i) {
      SDL_RenderDrawRect(renderer, &outline);
      outline = {outline.x + 1, outline.y + 1, outline.w - 2, outline.h - 2};
    }
  }
}

}  // namespace wizlo

namespace wizlo {

SDL_Surface* drawFormToSurface(const ControlSet& controls, int pixelsPerPixel) {
  const FormLayout& layout = controls.layout();
  const SDL_Rect size = pixelRect({0, 0, layout.ClientWidth, layout.ClientHeight}, pixelsPerPixel);
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, size.w, size.h, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return nullptr;
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
  if (!renderer) {
    SDL_FreeSurface(surface);
    return nullptr;
  }
  {
    TextureCache textures(renderer);
    drawForm(renderer, textures, controls, {}, pixelsPerPixel);
    SDL_RenderPresent(renderer);
  }
  SDL_DestroyRenderer(renderer);
  return surface;
}

}  // namespace wizlo
