// `wizlo-board check` in WebAssembly, run under Node (check.mjs gives it the font files and the file
// system): the very verdict of the Linux tool, printed as it prints it.
//
//   check.mjs LESSON.toml [--times [N]]   --times: how long each step took; N: the board made N times,
//                                         and the quickest of each step
//   check.mjs LESSON.toml --pack FILE     also writes the board's pack, problems and all, as `preview`
//                                         takes it
//
// Exit status: 0 the board is good; 1 it has problems or cannot be read; 2 usage.
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>

#include "maker/arabic_counts.hpp"
#include "maker/make_board.hpp"

int main(int argc, char** argv) {
  using namespace wizlo;
  const bool times = (argc == 3 || argc == 4) && std::strcmp(argv[2], "--times") == 0;
  const bool pack = argc == 4 && std::strcmp(argv[2], "--pack") == 0;
  const int repeats = times && argc == 4 ? std::atoi(argv[3]) : 1;
  if ((argc != 2 && !times && !pack) || repeats < 1) {
    std::fprintf(stderr, "usage: check.mjs LESSON.toml [--times [N] | --pack FILE]\n");
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
    maker::MakingTimes quickest{{1e9, 1e9}, 1e9};
    maker::MadeBoard made;
    for (int r = 0; r < repeats; ++r) {
      maker::MakingTimes took;
      made = maker::makeBoard(all.str(), &took);
      for (int i = 0; i < 2; ++i) quickest.drawn[i] = std::min(quickest.drawn[i], took.drawn[i]);
      quickest.checked = std::min(quickest.checked, took.checked);
    }
    for (const maker::Problem& note : made.notes) std::fputs(maker::describe(note, file, true).c_str(), stderr);
    for (const maker::Problem& problem : made.problems) std::fputs(maker::describe(problem, file).c_str(), stderr);
    if (times)
      std::printf("times (quickest of %d): 1x %.0f ms, 2x %.0f ms, checks %.0f ms\n", repeats, quickest.drawn[0],
                  quickest.drawn[1], quickest.checked);
    if (pack && !made.pack.empty()) {
      std::ofstream out(argv[3], std::ios::binary);
      out.write(reinterpret_cast<const char*>(made.pack.data()), static_cast<std::streamsize>(made.pack.size()));
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
