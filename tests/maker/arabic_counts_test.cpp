// Numbers in the Arabic line agree with what they count, as Arabic says them.
#include <gtest/gtest.h>

#include "maker/arabic_counts.hpp"

namespace wizlo::maker {
namespace {

TEST(ArabicCounts, TheNounTakesTheFormItsNumberAsks) {
  EXPECT_EQ(counted(1, kProblems), "مشكلة واحدة");
  EXPECT_EQ(counted(2, kProblems), "مشكلتان");
  EXPECT_EQ(counted(3, kProblems), "٣ مشكلات");
  EXPECT_EQ(counted(10, kProblems), "١٠ مشكلات");
  EXPECT_EQ(counted(11, kProblems), "١١ مشكلة");
  EXPECT_EQ(counted(100, kProblems), "١٠٠ مشكلة");
  EXPECT_EQ(counted(2, kTimes), "مرتان");
  EXPECT_EQ(counted(3, kTimes), "٣ مرات");
  EXPECT_EQ(counted(1, kLetters), "حرف واحد");
  EXPECT_EQ(counted(60, kLetters), "٦٠ حرفًا");
  EXPECT_EQ(numberThen(12, kGroups), "١٢ مجموعة");
  EXPECT_EQ(numberThen(3, kSkills), "٣ مهارات");
}

}  // namespace
}  // namespace wizlo::maker
