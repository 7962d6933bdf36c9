#pragma once
#include <stdexcept>
#include <string>

namespace wizlo::packs {

// Why a pack was refused, said in Arabic for the teacher and in English for whoever helps them.
// Packs travel between teachers: every such message names what is wrong, never how to exploit it.
class PackError : public std::runtime_error {
 public:
  PackError(std::string arabic, const std::string& english) : std::runtime_error(english), arabic_(std::move(arabic)) {}
  const std::string& arabic() const { return arabic_; }
  const char* english() const { return what(); }

 private:
  std::string arabic_;
};

// What the program shows when a pack cannot be opened: both languages, Arabic first. The Arabic line
// names the file alone: a path's leading slash, a neutral, would be drawn at the wrong end of a
// right-to-left line; the English one gives the whole path.
inline std::string refusal(const std::string& file, const PackError& error) {
  const std::string name = file.substr(file.find_last_of("/\\") + 1);
  return "لا يمكن فتح لوحة الدرس «" + name + "»: " + error.arabic() + "\n\nThe lesson board " + file +
         " cannot be opened: " + error.english();
}

}  // namespace wizlo::packs
