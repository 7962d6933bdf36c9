#pragma once
#include <string>

// Numbers as an Arabic sentence says them: Arabic-Indic digits, and the counted noun in the form the
// number asks for (مشكلة واحدة، مشكلتان، ٣ مشكلات، ١١ مشكلة).
namespace wizlo::maker {

// One noun in each form a count can take.
struct CountedNoun {
  const char* one;       // مشكلة
  const char* two;       // مشكلتان
  const char* few;       // مشكلات, after 3 to 10
  const char* many;      // مشكلة or حرفًا, after 11 to 99
  bool feminine;         // واحدة, not واحد
};

inline constexpr CountedNoun kProblems{"مشكلة", "مشكلتان", "مشكلات", "مشكلة", true};
inline constexpr CountedNoun kTimes{"مرة", "مرتان", "مرات", "مرة", true};
inline constexpr CountedNoun kLetters{"حرف", "حرفان", "أحرف", "حرفًا", false};
inline constexpr CountedNoun kGroups{"مجموعة", "مجموعتان", "مجموعات", "مجموعة", true};
inline constexpr CountedNoun kSkills{"مهارة", "مهارتان", "مهارات", "مهارة", true};

// 12 as ١٢.
std::string arabicDigits(long long number);

// The number and its noun: "مشكلة واحدة", "مشكلتان", "٣ مشكلات", "١١ مشكلة", "١٠٠ مشكلة".
std::string counted(long long number, const CountedNoun& noun);

// The noun a bare number is followed by, as in «أكثر من ١٢ مجموعة» or «أطول من ٦٠ حرفًا»: the digits
// then the noun, whatever the number.
std::string numberThen(long long number, const CountedNoun& noun);

// English: "1 problem", "2 problems"; "once", "twice", "3 times" for times.
std::string countedEnglish(long long number, const char* singular, const char* plural);
std::string timesEnglish(long long number);

}  // namespace wizlo::maker
