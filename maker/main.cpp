// wizlo-board: a teacher's board file made into a board of Wizlo.
//
//   wizlo-board check LESSON.toml                 every problem, in Arabic and English, by line
//   wizlo-board make LESSON.toml [LESSON.wizlo]   the board pack (beside the file unless named)
//   wizlo-board preview LESSON.toml OUT.png [SCALE]   the board as the program shows it
//
// Exit status: 0 done; 1 the file has problems (each printed) or cannot be read or written; 2 usage.

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/lesson.hpp"
#include "forms/compose.hpp"
#include "maker/arabic_counts.hpp"
#include "maker/make_board.hpp"

namespace {

namespace fs = std::filesystem;
using namespace wizlo;

int usage() {
  std::fprintf(stderr,
               "usage: wizlo-board check LESSON.toml\n"
               "       wizlo-board make LESSON.toml [LESSON.wizlo]\n"
               "       wizlo-board preview LESSON.toml OUT.png [SCALE]   (SCALE 1 to 4, 1 unless given)\n");
  return 2;
}

bool readText(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  text = all.str();
  return true;
}

bool writePng(const Bitmap& area, const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(area.width);
  image.height = static_cast<png_uint_32>(area.height);
  image.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB words, little-endian
  return png_image_write_to_file(&image, path.c_str(), 0, area.argb.data(), area.width * 4, nullptr) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  const std::string verb = argv[1], file = argv[2];
  if (!((verb == "check" && argc == 3) || (verb == "make" && argc <= 4) || (verb == "preview" && (argc == 4 || argc == 5))))
    return usage();
  const double scale = verb == "preview" && argc == 5 ? std::atof(argv[4]) : 1;
  if (!(scale >= 1 && scale <= 4)) return usage();

  std::string text;
  if (!readText(file, text)) {
    std::fprintf(stderr, "%s: تعذرت قراءة الملف.\n%s: the file cannot be read.\n", file.c_str(), file.c_str());
    return 1;
  }
  try {
    const maker::MadeBoard made = maker::makeBoard(text);
    for (const maker::Problem& note : made.notes) std::fputs(maker::describe(note, file, true).c_str(), stderr);
    for (const maker::Problem& problem : made.problems) std::fputs(maker::describe(problem, file).c_str(), stderr);
    if (!made.problems.empty()) {
      const auto n = static_cast<long long>(made.problems.size());
      std::fprintf(stderr, "%s: %s.\n%s: %s.\n", file.c_str(), maker::counted(n, maker::kProblems).c_str(), file.c_str(),
                   maker::countedEnglish(n, "problem", "problems").c_str());
    }
    // A board with problems can still be looked at, to see them; it is neither passed nor packed.
    if (!made.problems.empty() && (verb != "preview" || made.pack.empty())) return 1;
    if (verb == "check") {
      std::printf("%s: اللوحة سليمة.\n%s: the board is good.\n", file.c_str(), file.c_str());
      return 0;
    }
    if (verb == "make") {
      const std::string out = argc == 4 ? argv[3] : fs::path(file).replace_extension(".wizlo").string();
      std::ofstream pack(out, std::ios::binary | std::ios::trunc);
      pack.write(reinterpret_cast<const char*>(made.pack.data()), static_cast<std::streamsize>(made.pack.size()));
      pack.close();
      if (!pack) {
        std::fprintf(stderr, "%s: تعذرت كتابة الملف.\n%s: the file cannot be written.\n", out.c_str(), out.c_str());
        return 1;
      }
      std::printf("%s: صُنعت لوحة الدرس، وتُفتح بالنقر عليها مرتين.\n%s: the lesson board is made; double-click it to open it.\n",
                  out.c_str(), out.c_str());
      return 0;
    }
    // The board as the program shows it, from the very pack it would open.
    const auto lesson = Lesson::read(made.pack);
    const ControlSet controls(lesson->layout(), lesson->pictures());
    if (!writePng(composeClientArea(controls, scale), argv[3])) {
      std::fprintf(stderr, "%s: تعذرت كتابة الصورة.\n%s: the picture cannot be written.\n", argv[3], argv[3]);
      return 1;
    }
    return made.problems.empty() ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wizlo-board: %s\n", e.what());
    return 1;
  }
}
