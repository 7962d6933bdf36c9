// Draws every scene with the rasterizer standing in for Cairo, the generator's sources compiled
// against its header: `raster_shim_scenes <folder>` writes <name>.raw for each; `--time <n>` draws each
// n times and prints the milliseconds a drawing.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/raster/scenes.hpp"

int main(int argc, char** argv) {
  using namespace wizlo::raster_scenes;
  if (argc == 3 && std::string(argv[1]) == "--time") {
    const int n = std::atoi(argv[2]);
    for (const Scene& s : scenes()) {
      const auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < n; ++i) render(s);
      const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
      std::printf("%s %.3f\n", s.name, took.count() / n);
    }
    return 0;
  }
  if (argc != 2) return 2;
  for (const Scene& s : scenes()) {
    const auto pixels = render(s);
    std::ofstream out(std::string(argv[1]) + "/" + s.name + ".raw", std::ios::binary);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size() * 4));
    if (!out) return 1;
  }
  return 0;
}
