// The floor of our stack: a bare SDL2 program that opens one window of the menu's size, presents one
// frame and quits. It logs its frame as wizlo does (WIZLO_FRAME_LOG, WIZLO_EXIT_AFTER_FIRST_FRAME), so
// the start-up benchmark times both the same way.
//   wizlo-baseline-window            the renderer SDL picks by default (OpenGL where there is one)
//   wizlo-baseline-window software   SDL's software renderer on the window's framebuffer, as wizlo asks

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "backends/frame_log.hpp"

namespace {
// The menu's client area at 96 dpi: 13575 x 8985 twips, 15 twips a pixel.
constexpr int kWidth = 13575 / 15;
constexpr int kHeight = 8985 / 15;
}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "software") == 0) {
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  }
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "baseline: %s\n", SDL_GetError());
    return 1;
  }
  // The same window and renderer requests as wizlo's backend makes.
  SDL_Window* window = SDL_CreateWindow("baseline", 41, 137, kWidth, kHeight, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
  if (!window) return 1;
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer) return 1;
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  SDL_SetRenderDrawColor(renderer, 0xF0, 0xF0, 0xF0, 0xFF);
  SDL_RenderClear(renderer);
  SDL_RenderPresent(renderer);
  wizlo::noteFrameShown(SDL_GetWindowID(window));
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
