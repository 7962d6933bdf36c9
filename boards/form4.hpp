// The computer sentence board: nine small yellow tiles, each beside a skill name, to drag into the
// circles under the coloured letters of "Ahmad used the computer for learning".

#pragma once

#include "assets/content.hpp"
#include "assets/control_names.hpp"
#include "forms/layout.hpp"

namespace wizlo::layouts {

inline constexpr ImageLayout kForm4Controls[] = {
    {.Name = names::kBoardBack, .Left = 240, .Top = 3000, .Width = 2055, .Height = 855},
    {.Name = names::kWebSite, .Left = 480, .Top = 8280, .Width = 2055, .Height = 735,
     .MousePointer = kPointerCrosshair},
    // The marks overlap, and only one is ever shown at a time. Either one, when shown, covers the
    // left 120 twips of g(5) and takes the drops there.
    {.Name = names::kWrongMark, .Left = 4440, .Top = 2640, .Width = 1080, .Height = 1170, .Picture = PictureId::MarkNo,
     .Visible = false, .Stretch = true},
    {.Name = names::kRightMark, .Left = 4440, .Top = 2520, .Width = 1080, .Height = 1170, .Picture = PictureId::MarkYes,
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
    // A spare pair: c(9) is hidden, so nothing the pupil can drag fits g(9), which lies on blank
    // backdrop at the top left with no circle drawn under it. Every drop on g(9) is judged wrong.
    {.Name = names::kPieces, .Index = 9, .Left = 120, .Top = 6840, .Width = 900, .Height = 660,
     .Picture = PictureId::Disk10, .DragIcon = PictureId::Disk10, .Tag = "10", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    // The pieces stand in rows 945 and 825 twips apart, each centred on its row's line: room for a name
    // between the rows that keeps 20 px from every piece but its own.
    {.Name = names::kPieces, .Index = 8, .Left = 3840, .Top = 5610, .Width = 540, .Height = 420,
     .Picture = PictureId::YellowTile9, .DragIcon = PictureId::Disk9, .Tag = "3", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 7, .Left = 8400, .Top = 5610, .Width = 540, .Height = 420,
     .Picture = PictureId::YellowTile8, .DragIcon = PictureId::Disk8, .Tag = "4", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 6, .Left = 12600, .Top = 5610, .Width = 540, .Height = 420,
     .Picture = PictureId::YellowTile7, .DragIcon = PictureId::Disk7, .Tag = "6", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 5, .Left = 2040, .Top = 4785, .Width = 540, .Height = 420,
     .Picture = PictureId::YellowTile6, .DragIcon = PictureId::Disk6, .Tag = "1", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 4, .Left = 6120, .Top = 4725, .Width = 540, .Height = 540,
     .Picture = PictureId::YellowTile5, .DragIcon = PictureId::Disk5, .Tag = "5", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 3, .Left = 11040, .Top = 4785, .Width = 540, .Height = 420,
     .Picture = PictureId::YellowTile4, .DragIcon = PictureId::Disk4, .Tag = "9", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 2, .Left = 3360, .Top = 3840, .Width = 540, .Height = 420,
     .Picture = PictureId::YellowTile3, .DragIcon = PictureId::Disk3, .Tag = "7", .Stretch = true,
     .DragMode = kDragAutomatic},
    // The spare circle of hidden c(9): no arrow and no drawn circle here.
    {.Name = names::kCircles, .Index = 9, .Left = 240, .Top = 1080, .Width = 825, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 8, .Left = 1320, .Top = 2160, .Width = 825, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 7, .Left = 2520, .Top = 2280, .Width = 825, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 6, .Left = 3480, .Top = 2520, .Width = 825, .Height = 540, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 5, .Left = 5400, .Top = 2400, .Width = 705, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 4, .Left = 6240, .Top = 2160, .Width = 705, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 3, .Left = 7080, .Top = 2280, .Width = 705, .Height = 540, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 2, .Left = 8160, .Top = 2280, .Width = 705, .Height = 660, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 1, .Left = 11520, .Top = 8040, .Width = 900, .Height = 660,
     .Picture = PictureId::KeyDisk2, .DragIcon = PictureId::KeyDisk2, .Tag = "2", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 0, .Left = 12600, .Top = 8040, .Width = 720, .Height = 600,
     .Picture = PictureId::KeyDisk1, .DragIcon = PictureId::KeyDisk1, .Tag = "1", .Visible = false,
     .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 1, .Left = 7440, .Top = 3840, .Width = 540, .Height = 420,
     .Picture = PictureId::YellowTile2, .DragIcon = PictureId::Disk2, .Tag = "8", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 1, .Left = 9600, .Top = 2280, .Width = 825, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 0, .Left = 11400, .Top = 2280, .Width = 825, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 0, .Left = 12720, .Top = 3810, .Width = 600, .Height = 480,
     .Picture = PictureId::YellowTile1, .DragIcon = PictureId::Disk1, .Tag = "2", .Stretch = true,
     .DragMode = kDragAutomatic},
    // 15 twips taller than the client area: the bottom strip is never seen.
    {.Name = names::kBackdrop, .Left = 0, .Top = 0, .Width = 13575, .Height = 9135, .Picture = PictureId::Backdrop4,
     .Stretch = true},
};

inline constexpr FormLayout Form4 = {
    .Name = "Form4",
    .Caption = "Wizlo",
    .ClientLeft = 660,
    .ClientTop = 2010,
    .ClientWidth = 13575,
    .ClientHeight = 9120,
    .Icon = PictureId::AppIcon,
    .StartUpPosition = kStartUpManual,
    .Controls = kForm4Controls,
};

// What the backdrop draws: the sentence and its coloured letters, the instruction, and the skill
// names, in twips.
// Each group in the deepest shade that is still the hue its arrow is named by, so the letter reads
// as solid colour; a hue too pale for that takes a broad dark rim of its own as well.
inline constexpr MarkedLetters kForm4Circles[] = {
    {{0, 0, 6}, "استخدم", 0xEF7DAE},                   // the whole verb استخدم
    {{1, 0}, "أ", 0xE01B1B},                           // hamza at the start of أحمد
    {{2, 0}, "ا", 0x9A1020},                           // connecting alif of الحاسوب
    {{2, 1}, "ل", 0xD81B9A},                           // its moon lam
    {{2, 3}, "ا", 0x0099B8},                           // long alif
    {{2, 5}, "و", 0x1F4FE0},                           // long waw
    {{3, 1}, "ي", 0xE06A00},                           // ي of في
    {{4, 1}, "ل", 0x1E9E3A},                           // sun lam of التعلّم
    {{4, 4}, "لّ", 0x7F8020},                           // لّ with shadda
    {{4, 4}, "", 0x7F8020, CircleKind::SpareOnBlank},  // the spare g(9), on blank ground
};

inline constexpr std::string_view kForm4Skills[] = {
    "همزة أول الكلمة", "لام شمسية", "مد بالياء", "حرف مضعف", "مد بالألف", "فعل", "مد بالواو", "لام قمرية",
    "همزة وصل",
};

inline constexpr BoardContent Form4Content = {
    .form = &Form4,
    .ground = Ground::Flat,
    .groundColour = 0xFEFF99,  // decodes exactly from the JPEG, as the tiles' ground must match it
    .tileRing = 0xF28A12,      // orange
    .sentence = "استخدم أحمد الحاسوب في التعلّم",
    .sentenceSize = 900,
    .baselineY = 1260,
    .circles = kForm4Circles,
    .instruction = "انقل المهارة للمكان المناسب",
    .instructionColour = 0x000000,
    .instructionSize = 540,
    .skills = kForm4Skills,
    .skillColour = 0x000000,
    .skillSize = kTileSkillSize,
    .ornament = Ornament::Swoosh,
    .ornamentColour = 0x7A6A2C,
    .ornamentTop = 6250,
    .ornamentBottom = 7900,
    .credits = {.role = 0x6B6B45, .name = 0x6B6B45, .school = 0x5C5C36, .programming = 0x6B6B45},
    .menuLabel = {"استخدم أحمد الحاسوب في التعلّم"},
};

}  // namespace wizlo::layouts
