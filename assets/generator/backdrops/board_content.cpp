// What each board's backdrop shows: its sentence, which letters are coloured
// and where their arrows point, the instruction and the skill names.
#include "assets/generator/backdrops/board.hpp"
#include "assets/generator/icons/palette.hpp"
#include "boards/form2.hpp"
#include "boards/form3.hpp"
#include "boards/form4.hpp"
#include "boards/form5.hpp"

namespace wizlo::art {
namespace {

constexpr Colour hex(std::uint32_t rgb) { return Colour::hex(rgb); }

constexpr std::string_view kMoveTheSkill = "انقل المهارة للمكان المناسب";

}  // namespace

const BoardContent& appleBoard() {
  static const BoardContent board{
      .form = &layouts::Form2,
      .ground = Ground::MintShading,
      .groundColour = Colour::hex(kMint),
      .sentence = "أكل سعود التّفاحة بتأنٍ",
      .sentenceSize = 1050,
      .baselineY = 1450,
      .circles =
          {
              {{0, 0}, "أ", hex(0xE01B1B)},          // أ of the verb: cutting hamza
              {{0, 1, 2}, "كل", hex(0x1F3FA8)},      // كل, the rest of the verb
              {{1, 2}, "و", hex(0xE0559A)},          // و of سعود
              {{2, 0}, "ا", hex(0x8A3FB8)},          // connecting alif of التّفاحة
              {{2, 1}, "ل", hex(0x1E9E3A)},          // its sun lam
              {{2, 2}, "تّ", hex(0xF07A63)},          // تّ with shadda
              {{2, 4}, "ا", hex(0xA58BE0)},          // long alif
              {{2, 6}, "ة", hex(0x3BA7E8)},          // taa marbuta
              {{3, 2}, "أ", hex(0x0D5E2C)},          // hamza in the middle of بتأنٍ
              {{3, 3, 1, true}, "ٍ", hex(0xF08A00)},  // the two kasras under its ن
          },
      .alsoColoured = {},
      .instruction = kMoveTheSkill,
      .instructionColour = hex(0xF07800),
      .instructionSize = 640,
      .skills = {"همزة وسط الكلمة", "همزة قطع", "مد بالألف", "همزة وصل", "مد بالواو", "فعل", "لام شمسية", "حرف مضعف",
                 "تاء مربوطة", "تنوين كسر"},
      .skillColour = hex(0x0B5A26),
      .skillSize = 560,
      .ornament = Ornament::WaveBand,
      .ornamentColour = hex(0x2FA35A),
      .ornamentTop = 7660,
      .ornamentBottom = 8200,
      .creditColour = kBlack,
      .creditSchoolColour = kBlack,
  };
  return board;
}

const BoardContent& bookBoard() {
  static const BoardContent board{
      .form = &layouts::Form3,
      .ground = Ground::Flat,
      .groundColour = Colour::hex(kBlueBoardGround),
      .sentence = "قرأ أديب كتابًا عن البيئة",
      .sentenceSize = 1150,
      .baselineY = 1660,
      .circles =
          {
              {{0, 0, 2}, "قر", hex(0xE01B1B)},                          // قر of the verb قرأ
              {{0, 2}, "أ", hex(0x111111)},                              // hamza at the end of قرأ
              {{1, 0}, "أ", hex(0x1540D0)},                              // hamza at the start of أديب
              {{1, 2}, "ي", hex(0x18C21E)},                              // ي of أديب
              {{2, 2}, "ا", hex(0xF57C00)},                              // long alif of كتابًا
              {{2, 3, 2}, "بًا", hex(0xD81B9A)},                          // بًا, the tanween fatha
              {{4, 0}, "ا", hex(0xFFE11A)},                              // connecting alif of البيئة
              {{4, 1}, "ل", hex(0xC9A0F0)},                              // its moon lam
              {{4, 5}, "ة", hex(0x0B6B2E)},                              // taa marbuta
              {{4, 5}, "", hex(0x0B6B2E), CircleKind::SpareOverLetter},  // the spare g(9), over the ة
          },
      .alsoColoured = {},
      .instruction = "أحدد المهارة في المكان المناسب",
      .instructionColour = hex(0x15236E),
      .instructionSize = 640,
      .skills = {"همزة آخر الكلمة", "فعل", "مد بالألف", "تاء مربوطة", "لام قمرية", "همزة وصل", "همزة أول الكلمة",
                 "تنوين فتح", "مد بالياء"},
      .skillColour = hex(0x15236E),
      .skillSize = 470,
      .ornament = Ornament::None,
      .ornamentColour = {},
      .ornamentTop = 0,
      .ornamentBottom = 0,
      .creditColour = kBlack,
      .creditSchoolColour = kBlack,
  };
  return board;
}

const BoardContent& computerBoard() {
  static const BoardContent board{
      .form = &layouts::Form4,
      .ground = Ground::Flat,
      .groundColour = Colour::hex(kYellowBoardGround),
      .sentence = "استخدم أحمد الحاسوب في التعلّم",
      .sentenceSize = 900,
      .baselineY = 1260,
      .circles =
          {
              {{0, 0, 6}, "استخدم", hex(0xF48CB6)},                   // the whole verb استخدم
              {{1, 0}, "أ", hex(0xE01B1B)},                           // hamza at the start of أحمد
              {{2, 0}, "ا", hex(0x9A1020)},                           // connecting alif of الحاسوب
              {{2, 1}, "ل", hex(0xD81B9A)},                           // its moon lam
              {{2, 3}, "ا", hex(0x10B5CF)},                           // long alif
              {{2, 5}, "و", hex(0x1F4FE0)},                           // long waw
              {{3, 1}, "ي", hex(0xF57C00)},                           // ي of في
              {{4, 1}, "ل", hex(0x1E9E3A)},                           // sun lam of التعلّم
              {{4, 4}, "لّ", hex(0x7F8020)},                           // لّ with shadda
              {{4, 4}, "", hex(0x7F8020), CircleKind::SpareOnBlank},  // the spare g(9), on blank ground
          },
      .alsoColoured = {},
      .instruction = kMoveTheSkill,
      .instructionColour = kBlack,
      .instructionSize = 540,
      .skills = {"همزة أول الكلمة", "لام شمسية", "مد بالياء", "حرف مضعف", "مد بالألف", "فعل", "مد بالواو", "لام قمرية",
                 "همزة وصل"},
      .skillColour = kBlack,
      .skillSize = 470,
      .ornament = Ornament::Swoosh,
      .ornamentColour = hex(0x7A6A2C),
      .ornamentTop = 6050,
      .ornamentBottom = 7850,
      .creditColour = hex(0x6B6B45),
      .creditSchoolColour = hex(0x5C5C36),
  };
  return board;
}

const BoardContent& farmingBoard() {
  static const BoardContent board{
      .form = &layouts::Form5,
      .ground = Ground::Flat,
      .groundColour = Colour::hex(kPinkBoardGround),
      .sentence = "سأل البراء صديقه عن الزِّراعة",
      .sentenceSize = 1000,
      .baselineY = 2230,
      .circles =
          {
              {{0, 0}, "س", hex(0xE01B1B)},  // the verb سأل, red but for its hamza (and its ل below)
              {{0, 1}, "أ", hex(0x14207A)},  // hamza in the middle of سأل
              {{1, 0}, "ا", hex(0x7F8020)},  // connecting alif of البراء
              {{1, 1}, "ل", hex(0xF57C00)},  // its moon lam
              {{1, 5}, "ء", hex(0xF2C200)},  // hamza at the end of البراء
              {{2, 2}, "ي", hex(0x10B5CF)},  // ي of صديقه
              {{2, 4}, "ه", hex(0xD81BB0)},  // ه at the end of صديقه
              {{4, 1}, "ل", hex(0x6CD40C)},  // sun lam of الزِّراعة
              {{4, 2}, "زِّ", hex(0xB49CE8)},  // زِّ with shadda and kasra
              {{4, 4}, "ا", hex(0xFFF2C0)},  // long alif
              {{4, 6}, "ة", hex(0x111111)},  // taa marbuta
          },
      .alsoColoured = {{{0, 2}, "ل", hex(0xE01B1B)}},  // the verb's ل
      .instruction = kMoveTheSkill,
      .instructionColour = kBlack,
      .instructionSize = 500,
      .skills = {"لام قمرية", "كلمة مختومة بهاء", "همزة آخر الكلمة", "مد بالألف", "فعل", "همزة وسط الكلمة", "مد بالياء",
                 "همزة وصل", "لام شمسية", "حرف مضعف", "تاء مربوطة"},
      .skillColour = kBlack,
      .skillSize = 400,
      .ornament = Ornament::Swoosh,
      .ornamentColour = hex(0x8E1420),
      .ornamentTop = 6300,
      .ornamentBottom = 7900,
      .creditColour = hex(0x8E1420),
      .creditSchoolColour = hex(0x7A0F1A),
  };
  return board;
}

}  // namespace wizlo::art
