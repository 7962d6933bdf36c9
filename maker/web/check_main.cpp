// `wizlo-board check` in WebAssembly, run under Node (check.mjs gives it the font files and the file
// system): the very verdict of the Linux tool, printed as it prints it.
//
//   check.mjs LESSON.toml [--times [N]]   --times: how long each step took; N: each backdrop drawn N
//                                         times more, and the quickest of them
//   check.mjs LESSON.toml --pixels PREFIX  also writes the drawn backdrops' 0xAARRGGBB words, row by
//                                         row, to PREFIX-1x.argb and PREFIX-2x.argb
//
// Exit status: 0 the board is good; 1 it has problems or cannot be read; 2 usage.
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>

#include "assets/generator/output/recipe.hpp"
#include "maker/arabic_counts.hpp"
#include "maker/web/make_board_web.hpp"

int main(int argc, char** argv) {
  using namespace wizlo;
  const bool times = (argc == 3 || argc == 4) && std::strcmp(argv[2], "--times") == 0;
  const bool pixels = argc == 4 && std::strcmp(argv[2], "--pixels") == 0;
  const int repeats = times && argc == 4 ? std::atoi(argv[3]) : 0;
  if ((argc != 2 && !times && !pixels) || repeats < 0) {
    std::fprintf(stderr, "usage: check.mjs LESSON.toml [--times [N] | --pixels PREFIX]\n");
    return 2;
  }
  const std::string file = argv[1];
  std::ifstream in(file, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  if (!in) {
    std::fprintf(stderr, "%s: تعذرت قراءة الملف.\n%s: the file cannot be read.\n", file.c_str(), file.c_str());
    return 1;
  }
  try {
    maker::MakingTimes took;
    const maker::MadeBoard made = maker::makeBoardTimed(all.str(), &took);
    for (const maker::Problem& note : made.notes) std::fputs(maker::describe(note, file, true).c_str(), stderr);
    for (const maker::Problem& problem : made.problems) std::fputs(maker::describe(problem, file).c_str(), stderr);
    if (times)
      std::printf("times: 1x %.0f ms, 2x %.0f ms, checks %.0f ms\n", took.drawn[0], took.drawn[1], took.checked);
    if (repeats > 0 && made.plan) {
      double quickest[2] = {1e9, 1e9};
      for (int r = 0; r < repeats; ++r)
        for (int i = 0; i < 2; ++i) {
          const auto start = std::chrono::steady_clock::now();
          maker::drawBackdropPixels(made.plan->content, art::kBackdropSizes[i].width, art::kBackdropSizes[i].height);
          quickest[i] = std::min(quickest[i], std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
      std::printf("quickest of %d: 1x %.1f ms, 2x %.1f ms\n", repeats, quickest[0], quickest[1]);
    }
    if (pixels && made.plan)
      for (int i = 0; i < 2; ++i) {
        const maker::DrawnBackdrop drawn = maker::drawBackdropPixels(made.plan->content, art::kBackdropSizes[i].width,
                                                                     art::kBackdropSizes[i].height);
        std::ofstream out(std::string(argv[3]) + (i == 0 ? "-1x.argb" : "-2x.argb"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(drawn.image.argb.data()),
                  static_cast<std::streamsize>(drawn.image.argb.size() * 4));
      }
    if (!made.problems.empty()) {
      const auto n = static_cast<long long>(made.problems.size());
      std::fprintf(stderr, "%s: %s.\n%s: %s.\n", file.c_str(), maker::counted(n, maker::kProblems).c_str(), file.c_str(),
                   maker::countedEnglish(n, "problem", "problems").c_str());
      return 1;
    }
    std::printf("%s: اللوحة سليمة.\n%s: the board is good.\n", file.c_str(), file.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wizlo-board: %s\n", e.what());
    return 1;
  }
}
