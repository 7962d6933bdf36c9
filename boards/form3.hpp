// The book sentence board: nine small blue tiles, each beside a skill name, to drag into the
// circles under the coloured letters of "Adeeb read a book about the environment".

#pragma once

#include "assets/content.hpp"
#include "assets/control_names.hpp"
#include "forms/layout.hpp"

namespace wizlo::layouts {

inline constexpr ImageLayout kForm3Controls[] = {
    {.Name = names::kBoardBack, .Left = 480, .Top = 4080, .Width = 2415, .Height = 1215},
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
    // A spare pair: c(9) is hidden, so nothing the pupil can drag fits g(9), which lies over the
    // sentence's last letter with no circle drawn under it. Every drop on g(9) is judged wrong.
    {.Name = names::kPieces, .Index = 9, .Left = 120, .Top = 6840, .Width = 900, .Height = 660,
     .Picture = PictureId::Disk10, .DragIcon = PictureId::Disk10, .Tag = "10", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    // The pieces stand in rows 825 twips apart, each centred on its row's line: room for a name
    // between the rows that keeps 20 px from every piece but its own.
    {.Name = names::kPieces, .Index = 8, .Left = 3240, .Top = 7170, .Width = 540, .Height = 420,
     .Picture = PictureId::BlueTile9, .DragIcon = PictureId::Disk9, .Tag = "4", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 7, .Left = 7200, .Top = 7170, .Width = 540, .Height = 420,
     .Picture = PictureId::BlueTile8, .DragIcon = PictureId::Disk8, .Tag = "6", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 6, .Left = 12600, .Top = 7170, .Width = 540, .Height = 420,
     .Picture = PictureId::BlueTile7, .DragIcon = PictureId::Disk7, .Tag = "3", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 5, .Left = 3960, .Top = 6345, .Width = 540, .Height = 420,
     .Picture = PictureId::BlueTile6, .DragIcon = PictureId::Disk6, .Tag = "7", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 4, .Left = 8400, .Top = 6285, .Width = 540, .Height = 540,
     .Picture = PictureId::BlueTile5, .DragIcon = PictureId::Disk5, .Tag = "8", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 3, .Left = 12720, .Top = 6345, .Width = 540, .Height = 420,
     .Picture = PictureId::BlueTile4, .DragIcon = PictureId::Disk4, .Tag = "9", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 2, .Left = 4320, .Top = 5520, .Width = 540, .Height = 420,
     .Picture = PictureId::BlueTile3, .DragIcon = PictureId::Disk3, .Tag = "5", .Stretch = true,
     .DragMode = kDragAutomatic},
    // The spare circle of hidden c(9): no arrow and no drawn circle here.
    {.Name = names::kCircles, .Index = 9, .Left = 240, .Top = 1080, .Width = 825, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 8, .Left = 360, .Top = 3120, .Width = 825, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 7, .Left = 1800, .Top = 3120, .Width = 705, .Height = 540, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 6, .Left = 2760, .Top = 3120, .Width = 825, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 5, .Left = 6000, .Top = 3120, .Width = 705, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 4, .Left = 6720, .Top = 3120, .Width = 945, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 3, .Left = 9480, .Top = 3360, .Width = 705, .Height = 540, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 2, .Left = 10320, .Top = 3240, .Width = 705, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 1, .Left = 11520, .Top = 8040, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "2", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 0, .Left = 12600, .Top = 8040, .Width = 720, .Height = 600,
     .Picture = PictureId::KeyDisk1, .DragIcon = PictureId::KeyDisk1, .Tag = "1", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 1, .Left = 7440, .Top = 5520, .Width = 540, .Height = 420,
     .Picture = PictureId::BlueTile2, .DragIcon = PictureId::Disk2, .Tag = "1", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 1, .Left = 11160, .Top = 3240, .Width = 825, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 0, .Left = 12000, .Top = 3360, .Width = 825, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 0, .Left = 12720, .Top = 5490, .Width = 600, .Height = 480,
     .Picture = PictureId::BlueTile1, .DragIcon = PictureId::Disk1, .Tag = "2", .Stretch = true,
     .DragMode = kDragAutomatic},
    // 15 twips taller than the client area: the bottom strip is never seen.
    {.Name = names::kBackdrop, .Left = 0, .Top = 0, .Width = 13575, .Height = 9135, .Picture = PictureId::Backdrop3,
     .Stretch = true},
};

inline constexpr FormLayout Form3 = {
    .Name = "Form3",
    .Caption = "Wizlo",
    .ClientLeft = 660,
    .ClientTop = 2010,
    .ClientWidth = 13575,
    .ClientHeight = 9120,
    .Icon = PictureId::AppIcon,
    .StartUpPosition = kStartUpManual,
    .Controls = kForm3Controls,
};

// What the backdrop draws: the sentence and its coloured letters, the instruction, and the skill
// names, in twips.
// Each group in the deepest shade that is still the hue its arrow is named by, so the letter reads
// as solid colour; a hue too pale for that takes a broad dark rim of its own as well.
inline constexpr MarkedLetters kForm3Circles[] = {
    {{0, 0, 2}, "قر", 0xC8141A},                          // قر of the verb قرأ
    {{0, 2}, "أ", 0x111111},                              // hamza at the end of قرأ
    {{1, 0}, "أ", 0x1540D0},                              // hamza at the start of أديب
    {{1, 2}, "ي", 0x10A816},                              // ي of أديب
    {{2, 2}, "ا", 0xE06A00},                              // long alif of كتابًا
    {{2, 3, 2}, "بًا", 0xC01088},                          // بًا, the tanween fatha
    // The yellow stays bright: a deeper one would come nearer the blue ground's own lightness.
    {{4, 0}, "ا", 0xFFE11A},                              // connecting alif of البيئة
    {{4, 1}, "ل", 0xA77BE0},                              // its moon lam
    {{4, 5}, "ة", 0x0B6B2E},                              // taa marbuta
    {{4, 5}, "", 0x0B6B2E, CircleKind::SpareOverLetter},  // the spare g(9), over the ة
};

inline constexpr std::string_view kForm3Skills[] = {
    "همزة آخر الكلمة", "فعل", "مد بالألف", "تاء مربوطة", "لام قمرية", "همزة وصل", "همزة أول الكلمة", "تنوين فتح",
    "مد بالياء",
};

inline constexpr BoardContent Form3Content = {
    .form = &Form3,
    .ground = Ground::Flat,
    // A colour a flat area of the backdrop's JPEG decodes to exactly, so the tiles' ground, which
    // is this too, is the very colour of the board around them.
    .groundColour = 0xB4BFDB,
    .tileRing = 0xE0565A,  // soft red
    .sentence = "قرأ أديب كتابًا عن البيئة",
    .sentenceSize = 1150,
    .baselineY = 1660,
    .circles = kForm3Circles,
    .instruction = "أحدد المهارة في المكان المناسب",
    .instructionColour = 0x15236E,
    .instructionSize = 640,
    .skills = kForm3Skills,
    .skillColour = 0x15236E,
    .skillSize = kTileSkillSize,
    .ornament = Ornament::Nothing,
    .credits = {},
    .menuLabel = {"قرأ أديب كتاباً عن البيئة"},
};

}  // namespace wizlo::layouts
