#include "maker/arabic_counts.hpp"

#include <string>

namespace wizlo::maker {

std::string arabicDigits(long long number) {
  const std::string western = std::to_string(number);
  std::string out;
  for (const char c : western) {
    if (c < '0' || c > '9') {
      out += c;
      continue;
    }
    out += "\xD9";  // U+0660 to U+0669 share their first byte
    out += static_cast<char>(0xA0 + (c - '0'));
  }
  return out;
}

std::string numberThen(long long number, const CountedNoun& noun) {
  const long long tens = number % 100;
  const char* form = tens >= 3 && tens <= 10 ? noun.few : tens >= 11 ? noun.many : noun.one;
  if (number >= 3 && tens < 3) form = noun.one;  // ١٠٠ مشكلة, ١٠٢ مشكلة
  return arabicDigits(number) + " " + form;
}

std::string counted(long long number, const CountedNoun& noun) {
  if (number == 1) return std::string(noun.one) + (noun.feminine ? " واحدة" : " واحد");
  if (number == 2) return noun.two;
  return numberThen(number, noun);
}

std::string countedEnglish(long long number, const char* singular, const char* plural) {
  return std::to_string(number) + " " + (number == 1 ? singular : plural);
}

std::string timesEnglish(long long number) {
  return number == 1 ? "once" : number == 2 ? "twice" : std::to_string(number) + " times";
}

}  // namespace wizlo::maker
