#include "app/lesson.hpp"

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "boards/board.hpp"
#include "packs/container.hpp"
#include "packs/pack_error.hpp"

namespace wizlo {

std::unique_ptr<Lesson> Lesson::read(std::vector<std::uint8_t> pack) {
  auto lesson = std::make_unique<Lesson>();
  lesson->pack_ = packs::BoardPack::read(std::move(pack));
  lesson->pictures_ = std::make_unique<packs::PackPictures>(*lesson->pack_);
  lesson->pictures_->decodeAll();
  return lesson;
}

std::unique_ptr<Lesson> Lesson::read(platform::FileBytes file) {
  using platform::FileProblem;
  switch (file.problem) {
    case FileProblem::None: return read(std::move(file.bytes));
    case FileProblem::Missing: throw packs::PackError("لا يوجد ملف بهذا الاسم.", "there is no such file.");
    case FileProblem::NotAFile: throw packs::PackError("هذا ليس ملفًا.", "it is not a file.");
    case FileProblem::TooLarge:
      throw packs::PackError("الملف أكبر من أن يكون لوحة درس (الحد ١٦ ميغابايت).",
                             "the file is too large to be a lesson board (the limit is 16 MiB).");
    case FileProblem::Unreadable: break;
  }
  throw packs::PackError("تعذرت قراءة الملف.", "the file cannot be read.");
}

void Lesson::define(Runtime& runtime, const platform::Services& services) const {
  const FormLayout* layout = &pack_->layout();
  runtime.define(layout->Name, [layout, services](Runtime& rt) {
    auto board = std::make_unique<Board>(rt, *layout, services);
    board->describe("لوحة معلّم — a teacher's board");
    return board;
  });
}

int Lesson::run(Backend& backend, const platform::Services& services, const Lesson* lesson) {
  Runtime runtime(backend, lesson ? lesson->pictures() : PictureSource(assets::picture));
  if (!lesson) {
    defineForms(runtime, services);
    return runtime.run(kStartForm);
  }
  lesson->define(runtime, services);
  return runtime.run(lesson->layout().Name);
}

}  // namespace wizlo
