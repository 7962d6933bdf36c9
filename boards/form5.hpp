// The farming sentence board, the largest: eleven small pink tiles, each beside a skill name, to
// drag into the circles under the coloured letters of "Al-Baraa asked his friend about farming".

#pragma once

#include "assets/content.hpp"
#include "assets/control_names.hpp"
#include "forms/layout.hpp"

namespace wizlo::layouts {

inline constexpr ImageLayout kForm5Controls[] = {
    // The eleventh skill's key, circle and piece lie topmost; they overlap no visible control, so
    // their place in the stacking order shows nowhere.
    {.Name = names::kKeys, .Index = 10, .Left = 1440, .Top = 7920, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "11", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 10, .Left = 600, .Top = 3120, .Width = 585, .Height = 540, .Stretch = true,
     .DragMode = kDragAutomatic},
    // There is no disk numbered 11: the eleventh piece drags with the tenth disk, like c(9).
    {.Name = names::kPieces, .Index = 10, .Left = 3000, .Top = 6450, .Width = 540, .Height = 420,
     .Picture = PictureId::PinkTile11, .DragIcon = PictureId::Disk10, .Tag = "11", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kBoardBack, .Left = 240, .Top = 4080, .Width = 1815, .Height = 735},
    {.Name = names::kWebSite, .Left = 480, .Top = 8280, .Width = 2055, .Height = 735,
     .MousePointer = kPointerCrosshair},
    // The marks overlap, but only one is ever shown at a time.
    {.Name = names::kWrongMark, .Left = 3960, .Top = 3105, .Width = 1080, .Height = 1170, .Picture = PictureId::MarkNo,
     .Visible = false, .Stretch = true},
    {.Name = names::kRightMark, .Left = 3945, .Top = 3000, .Width = 1080, .Height = 1170, .Picture = PictureId::MarkYes,
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
    // The pieces stand in rows 825 twips apart, each centred on its row's line: room for a name
    // between the rows that keeps 20 px from every piece but its own.
    {.Name = names::kPieces, .Index = 9, .Left = 6240, .Top = 6450, .Width = 540, .Height = 420,
     .Picture = PictureId::PinkTile10, .DragIcon = PictureId::Disk10, .Tag = "9", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 8, .Left = 9480, .Top = 6450, .Width = 540, .Height = 420,
     .Picture = PictureId::PinkTile9, .DragIcon = PictureId::Disk9, .Tag = "8", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 7, .Left = 12600, .Top = 6450, .Width = 540, .Height = 420,
     .Picture = PictureId::PinkTile8, .DragIcon = PictureId::Disk8, .Tag = "3", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 6, .Left = 1800, .Top = 5625, .Width = 540, .Height = 420,
     .Picture = PictureId::PinkTile7, .DragIcon = PictureId::Disk7, .Tag = "6", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 5, .Left = 6600, .Top = 5625, .Width = 540, .Height = 420,
     .Picture = PictureId::PinkTile6, .DragIcon = PictureId::Disk6, .Tag = "2", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 4, .Left = 8760, .Top = 5565, .Width = 540, .Height = 540,
     .Picture = PictureId::PinkTile5, .DragIcon = PictureId::Disk5, .Tag = "1", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 3, .Left = 11760, .Top = 5625, .Width = 540, .Height = 420,
     .Picture = PictureId::PinkTile4, .DragIcon = PictureId::Disk4, .Tag = "10", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 2, .Left = 4920, .Top = 4800, .Width = 540, .Height = 420,
     .Picture = PictureId::PinkTile3, .DragIcon = PictureId::Disk3, .Tag = "5", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 9, .Left = 1320, .Top = 3240, .Width = 585, .Height = 540, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 8, .Left = 1920, .Top = 3240, .Width = 705, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 7, .Left = 2760, .Top = 3360, .Width = 705, .Height = 540, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 6, .Left = 5160, .Top = 3240, .Width = 825, .Height = 540, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 5, .Left = 6240, .Top = 3240, .Width = 705, .Height = 540, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 4, .Left = 8520, .Top = 3240, .Width = 705, .Height = 540, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 3, .Left = 9480, .Top = 3360, .Width = 705, .Height = 540, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 2, .Left = 10320, .Top = 3240, .Width = 585, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 1, .Left = 11520, .Top = 8040, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "2", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 0, .Left = 12600, .Top = 8040, .Width = 720, .Height = 600,
     .Picture = PictureId::KeyDisk1, .DragIcon = PictureId::KeyDisk1, .Tag = "1", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 1, .Left = 9240, .Top = 4800, .Width = 540, .Height = 420,
     .Picture = PictureId::PinkTile2, .DragIcon = PictureId::Disk2, .Tag = "7", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 1, .Left = 11160, .Top = 3360, .Width = 705, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 0, .Left = 12000, .Top = 3360, .Width = 705, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 0, .Left = 12480, .Top = 4770, .Width = 600, .Height = 480,
     .Picture = PictureId::PinkTile1, .DragIcon = PictureId::Disk1, .Tag = "4", .Stretch = true,
     .DragMode = kDragAutomatic},
    // 15 twips taller than the client area: the bottom strip is never seen.
    {.Name = names::kBackdrop, .Left = 0, .Top = 0, .Width = 13575, .Height = 9135, .Picture = PictureId::Backdrop5,
     .Stretch = true},
};

inline constexpr FormLayout Form5 = {
    .Name = "Form5",
    .Caption = "Wizlo",
    .ClientLeft = 660,
    .ClientTop = 2010,
    .ClientWidth = 13575,
    .ClientHeight = 9120,
    .Icon = PictureId::AppIcon,
    .StartUpPosition = kStartUpManual,
    .Controls = kForm5Controls,
};

// What the backdrop draws: the sentence and its coloured letters, the instruction, and the skill
// names, in twips.
// Each group in the deepest shade that is still the hue its arrow is named by, so the letter reads
// as solid colour; a hue too pale for that takes a broad dark rim of its own as well.
inline constexpr MarkedLetters kForm5Circles[] = {
    {{0, 0}, "س", 0xE01B1B},  // the verb سأل, red but for its hamza (and its ل below)
    {{0, 1}, "أ", 0x14207A},  // hamza in the middle of سأل
    {{1, 0}, "ا", 0x6E6F12},  // connecting alif of البراء
    {{1, 1}, "ل", 0xD86200},  // its moon lam
    {{1, 5}, "ء", 0xE6B400},  // hamza at the end of البراء
    {{2, 2}, "ي", 0x0099B8},  // ي of صديقه
    {{2, 4}, "ه", 0xD81BB0},  // ه at the end of صديقه
    {{4, 1}, "ل", 0x5AB300},  // sun lam of الزِّراعة
    {{4, 2}, "زِّ", 0x9A80DC},  // زِّ with shadda and kasra
    // The cream stays light: a deeper one would come nearer the pink ground's own lightness.
    {{4, 4}, "ا", 0xFFF2C0},  // long alif
    {{4, 6}, "ة", 0x111111},  // taa marbuta
};

inline constexpr MarkedLetters kForm5AlsoColoured[] = {
    {{0, 2}, "ل", 0xE01B1B},  // the verb's ل
};

inline constexpr std::string_view kForm5Skills[] = {
    "لام قمرية", "كلمة مختومة بهاء", "همزة آخر الكلمة", "مد بالألف", "فعل", "همزة وسط الكلمة", "مد بالياء",
    "همزة وصل",  "لام شمسية",        "حرف مضعف",        "تاء مربوطة",
};

inline constexpr BoardContent Form5Content = {
    .form = &Form5,
    .ground = Ground::Flat,
    .groundColour = 0xFECACC,  // decodes exactly from the JPEG, as the tiles' ground must match it
    .tileRing = 0xE23B6B,      // red-pink
    .sentence = "سأل البراء صديقه عن الزِّراعة",
    .sentenceSize = 1000,
    .baselineY = 2230,
    .circles = kForm5Circles,
    .alsoColoured = kForm5AlsoColoured,
    .instruction = "انقل المهارة للمكان المناسب",
    .instructionColour = 0x000000,
    .instructionSize = 500,
    // Level with the top half of the back button, as high as the circles above let it: the skill
    // names below then keep their size.
    .instructionY = 4200,
    .skills = kForm5Skills,
    .skillColour = 0x000000,
    .skillSize = kTileSkillSize,
    .ornament = Ornament::Swoosh,
    .ornamentColour = 0x8E1420,
    .ornamentTop = 7050,
    .ornamentBottom = 8150,
    .credits = {.role = 0x8E1420, .name = 0x8E1420, .school = 0x7A0F1A, .programming = 0x8E1420},
    .menuLabel = {"سأل البراء صديقه عن الزراعة"},
};

}  // namespace wizlo::layouts
