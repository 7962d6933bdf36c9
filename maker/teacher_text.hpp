#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "maker/problem.hpp"

// A board file's bytes as editors and keyboards give them, made into the UTF-8 text the board file
// is read from: UTF-16 with its byte-order mark (Notepad's "Unicode") turned into UTF-8; the letters
// of Persian and Urdu keyboards that look like Arabic ones taken as those Arabic letters, each said
// in a note; Arabic-Indic digits outside the texts (word = ٢) made the digits TOML reads. Line
// numbers stay as the teacher's editor shows them.
namespace wizlo::maker {

struct TeacherText {
  std::string text;  // UTF-8; empty when `problem` is set
  bool unreadable = false;
  Problem problem;   // when unreadable: the one thing to do, save the file as UTF-8
  Problems notes;    // what was taken as something else, the first line each is met on
};

TeacherText readTeacherText(std::string_view bytes);

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool isUtf8(std::string_view text);

// Digits of any of the three kinds (0-9, ٠-٩, ۰-۹), with spaces about them, as a number; none for
// anything else.
std::optional<long long> numberIn(std::string_view text);

}  // namespace wizlo::maker
