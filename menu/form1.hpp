// The menu, the start-up form: its backdrop draws the title and six buttons, and invisible hot
// spots over them open the four boards and the two practice pages; one more over the credit
// lines opens the author's web site. Its layout table, the table of which button opens which
// form, and everything its backdrop draws.

#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "assets/content.hpp"
#include "assets/control_names.hpp"
#include "boards/form2.hpp"
#include "boards/form3.hpp"
#include "boards/form4.hpp"
#include "boards/form5.hpp"
#include "forms/layout.hpp"
#include "pages/form6.hpp"
#include "pages/form7.hpp"

namespace wizlo::layouts {

inline constexpr ImageLayout kForm1Controls[] = {
    {.Name = "Image7", .Left = 3000, .Top = 7320, .Width = 2295, .Height = 615},
    {.Name = "Image6", .Left = 360, .Top = 7320, .Width = 2415, .Height = 615},
    {.Name = "Image5", .Left = 480, .Top = 2280, .Width = 4815, .Height = 975},
    {.Name = "Image4", .Left = 360, .Top = 6120, .Width = 4815, .Height = 975},
    {.Name = "Image3", .Left = 360, .Top = 4800, .Width = 4815, .Height = 975},
    {.Name = names::kWebSite, .Left = 480, .Top = 8160, .Width = 2055, .Height = 735,
     .MousePointer = kPointerCrosshair},
    {.Name = "Image2", .Left = 360, .Top = 3600, .Width = 4815, .Height = 975},
    // 150 twips taller than the client area: the bottom strip is never seen.
    {.Name = names::kBackdrop, .Left = 0, .Top = 0, .Width = 13575, .Height = 9135, .Picture = PictureId::Backdrop1,
     .Stretch = true},
};

inline constexpr FormLayout Form1 = {
    .Name = "Form1",
    .Caption = "Wizlo",
    .ClientLeft = 615,
    .ClientTop = 2055,
    .ClientWidth = 13575,
    .ClientHeight = 8985,
    .Icon = PictureId::AppIcon,
    .StartUpPosition = kStartUpManual,
    .Controls = kForm1Controls,
};

// Which hot spot opens which form. The buttons stand in another order than the forms are
// numbered: this table, not the numbering, says which opens which. Each button shows the label
// its form's content gives it. The program defines a form for each row, the generator draws a
// banner for each and the form's backdrop, and the tests and benchmarks go through every row.
inline constexpr MenuButton kMenuButtons[] = {
    {"Image2", Form2Content},
    {"Image3", Form3Content},
    {"Image5", Form4Content},
    {"Image4", Form5Content},
    {"Image6", Form6Content},
    {"Image7", Form7Content},
};

// The hot spot of the button that opens `form`.
constexpr std::string_view hotSpotOpening(const FormLayout& form) {
  for (const MenuButton& button : kMenuButtons)
    if (&button.form() == &form) return button.hotSpot;
  throw std::invalid_argument("no menu button opens " + std::string(form.Name));
}

// What the backdrop draws, in twips: the title, the colours of the buttons' banners and the
// sizes of their labels, and the credits.
inline constexpr TitleLine kForm1Title[] = {{"تحديد المهارة", 1200}, {"في الكلمة", 2650}};

inline constexpr Rgb kForm1Rainbow[] = {0x1E5BD8, 0xD32F2F, 0x8E24AA, 0x2E9D2E, 0xF57C00, 0x00897B};

inline constexpr MenuContent Form1Content = {
    .form = &Form1,
    .ground = kMint,
    .groundFoot = 0x7FA08E,
    .title = kForm1Title,
    .titleCentreX = 9700,
    .titleSize = 1250,
    .titleWidth = 6900,
    .bannerFill = 0xBFF0C4,
    .bannerEdge = 0x3C8A52,
    .rainbow = kForm1Rainbow,
    .boardLabelSize = 540,
    .pageLabelSize = 420,
    .credits = {.role = 0x000000, .name = 0x000000, .school = 0x084A1E, .programming = 0x000000},
};

// What every backdrop repeats: the credits along its foot, and the word on a back button.
inline constexpr Credits kCredits = {
    .idea = {"فكرة وتصميم", "معلمة اللغة العربية"},
    .school = {"مدرسة الأمل الابتدائية", "بإشراف قائدة المدرسة"},
    .programming = {"برمجة", "فريق ويزلو"},
};
inline constexpr std::string_view kBackWord = "رجوع";

}  // namespace wizlo::layouts
