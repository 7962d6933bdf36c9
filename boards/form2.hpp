// The apple sentence board: ten large numbered disks, each beside a skill name, to drag into the
// circles under the coloured letters of "Saud ate the apple slowly".

#pragma once

#include "assets/content.hpp"
#include "assets/control_names.hpp"
#include "forms/layout.hpp"

namespace wizlo::layouts {

inline constexpr ImageLayout kForm2Controls[] = {
    {.Name = names::kBoardBack, .Left = 240, .Top = 4080, .Width = 1695, .Height = 975},
    {.Name = names::kWebSite, .Left = 480, .Top = 8280, .Width = 2055, .Height = 735,
     .MousePointer = kPointerCrosshair},
    // The marks overlap, but only one is ever shown at a time.
    {.Name = names::kWrongMark, .Left = 4200, .Top = 3585, .Width = 1080, .Height = 1170, .Picture = PictureId::MarkNo,
     .Visible = false, .Stretch = true},
    {.Name = names::kRightMark, .Left = 3585, .Top = 3480, .Width = 1080, .Height = 1170, .Picture = PictureId::MarkYes,
     .Visible = false, .Stretch = true},
    // The answer key: g(i) takes the piece whose Tag equals l(i)'s. Always hidden, so only the tags
    // count; the pictures and places along the bottom edge have no effect.
    {.Name = names::kKeys, .Index = 9, .Left = 2400, .Top = 8280, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "10", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 8, .Left = 3360, .Top = 8280, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "9", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 7, .Left = 4560, .Top = 8280, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "8", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 6, .Left = 6000, .Top = 8280, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "7", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 5, .Left = 7440, .Top = 8280, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "6", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 4, .Left = 8520, .Top = 8040, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "5", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 3, .Left = 9480, .Top = 8040, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "4", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 2, .Left = 10560, .Top = 8040, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "3", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 9, .Left = 4440, .Top = 6960, .Width = 900, .Height = 660,
     .Picture = PictureId::Disk10, .DragIcon = PictureId::Disk10, .Tag = "10", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 8, .Left = 8280, .Top = 6960, .Width = 900, .Height = 660,
     .Picture = PictureId::Disk9, .DragIcon = PictureId::Disk9, .Tag = "8", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 7, .Left = 12480, .Top = 6960, .Width = 780, .Height = 540,
     .Picture = PictureId::Disk8, .DragIcon = PictureId::Disk8, .Tag = "6", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 6, .Left = 2880, .Top = 6120, .Width = 780, .Height = 540,
     .Picture = PictureId::Disk7, .DragIcon = PictureId::Disk7, .Tag = "5", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 5, .Left = 5280, .Top = 6000, .Width = 900, .Height = 660,
     .Picture = PictureId::Disk6, .DragIcon = PictureId::Disk6, .Tag = "2", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 4, .Left = 8760, .Top = 6000, .Width = 900, .Height = 660,
     .Picture = PictureId::Disk5, .DragIcon = PictureId::Disk5, .Tag = "3", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 3, .Left = 12480, .Top = 6120, .Width = 780, .Height = 660,
     .Picture = PictureId::Disk4, .DragIcon = PictureId::Disk4, .Tag = "4", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 2, .Left = 3120, .Top = 5160, .Width = 660, .Height = 540,
     .Picture = PictureId::Disk3, .DragIcon = PictureId::Disk3, .Tag = "7", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 9, .Left = 720, .Top = 3120, .Width = 825, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 8, .Left = 1560, .Top = 2640, .Width = 945, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 7, .Left = 2520, .Top = 2520, .Width = 825, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 6, .Left = 3600, .Top = 2520, .Width = 945, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 5, .Left = 4680, .Top = 2640, .Width = 945, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 4, .Left = 5760, .Top = 2760, .Width = 945, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 3, .Left = 6840, .Top = 2760, .Width = 945, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 2, .Left = 7920, .Top = 3000, .Width = 945, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 1, .Left = 11520, .Top = 8040, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "2", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 0, .Left = 12600, .Top = 8040, .Width = 720, .Height = 600,
     .Picture = PictureId::KeyDisk1, .DragIcon = PictureId::KeyDisk1, .Tag = "1", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 1, .Left = 7080, .Top = 5160, .Width = 660, .Height = 540,
     .Picture = PictureId::Disk2, .DragIcon = PictureId::Disk2, .Tag = "1", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 1, .Left = 10680, .Top = 2880, .Width = 945, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 0, .Left = 12360, .Top = 2880, .Width = 945, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 0, .Left = 12600, .Top = 5160, .Width = 720, .Height = 600,
     .Picture = PictureId::Disk1, .DragIcon = PictureId::Disk1, .Tag = "9", .Stretch = true,
     .DragMode = kDragAutomatic},
    // 15 twips taller than the client area: the bottom strip is never seen.
    {.Name = names::kBackdrop, .Left = 0, .Top = 0, .Width = 13575, .Height = 9135, .Picture = PictureId::Backdrop2,
     .Stretch = true},
};

inline constexpr FormLayout Form2 = {
    .Name = "Form2",
    .Caption = "Wizlo",
    .ClientLeft = 780,
    .ClientTop = 2055,
    .ClientWidth = 13575,
    .ClientHeight = 9120,
    .Icon = PictureId::AppIcon,
    .StartUpPosition = kStartUpManual,
    .Controls = kForm2Controls,
};

// What the backdrop draws: the sentence and its coloured letters, the instruction, and the skill
// names, in twips.
// Each group in the deepest shade that is still the hue its arrow is named by, so the letter reads
// as solid colour; a hue too pale for that takes a broad dark rim of its own as well.
inline constexpr MarkedLetters kForm2Circles[] = {
    {{0, 0}, "أ", 0xE01B1B},          // أ of the verb: cutting hamza
    {{0, 1, 2}, "كل", 0x1F3FA8},      // كل, the rest of the verb
    {{1, 2}, "و", 0xE0559A},          // و of سعود
    {{2, 0}, "ا", 0x8A3FB8},          // connecting alif of التّفاحة
    {{2, 1}, "ل", 0x178A30},          // its sun lam
    {{2, 2}, "تّ", 0xE8674F},          // تّ with shadda
    {{2, 4}, "ا", 0x9478D6},          // long alif
    {{2, 6}, "ة", 0x2290DB},          // taa marbuta
    {{3, 2}, "أ", 0x0D5E2C},          // hamza in the middle of بتأنٍ
    {{3, 3, 1, true}, "ٍ", 0xE07000},  // the two kasras under its ن
};

inline constexpr std::string_view kForm2Skills[] = {
    "همزة وسط الكلمة", "همزة قطع", "مد بالألف", "همزة وصل", "مد بالواو", "فعل", "لام شمسية", "حرف مضعف",
    "تاء مربوطة",      "تنوين كسر",
};

inline constexpr BoardContent Form2Content = {
    .form = &Form2,
    .ground = Ground::Shaded,
    .groundColour = kMint,
    .sentence = "أكل سعود التّفاحة بتأنٍ",
    .sentenceSize = 1050,
    .baselineY = 1450,
    .circles = kForm2Circles,
    .instruction = "انقل المهارة للمكان المناسب",
    .instructionColour = 0xA84C00,  // a deep orange: the bright one fades into the mint
    .instructionSize = 640,
    .skills = kForm2Skills,
    .skillColour = 0x0B5A26,
    .skillSize = 800,
    .ornament = Ornament::WaveBand,
    .ornamentColour = 0x2FA35A,
    .ornamentTop = 7660,
    .ornamentBottom = 8200,
    .credits = {},
    .menuLabel = {"أكل سعود التفاحة بتأن"},
};

}  // namespace wizlo::layouts
