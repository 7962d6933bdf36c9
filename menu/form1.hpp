// The menu, the start-up form: its backdrop draws the title and six buttons, and invisible hot
// spots over them open the four boards and the two practice pages; one more over the credit
// lines opens the author's web site.

#pragma once

#include "forms/layout.hpp"

namespace wizlo::layouts {

inline constexpr ImageLayout kForm1Controls[] = {
    {.Name = "Image7", .Left = 3000, .Top = 7320, .Width = 2295, .Height = 615},
    {.Name = "Image6", .Left = 360, .Top = 7320, .Width = 2415, .Height = 615},
    {.Name = "Image5", .Left = 480, .Top = 2280, .Width = 4815, .Height = 975},
    {.Name = "Image4", .Left = 360, .Top = 6120, .Width = 4815, .Height = 975},
    {.Name = "Image3", .Left = 360, .Top = 4800, .Width = 4815, .Height = 975},
    {.Name = "wex", .Left = 480, .Top = 8160, .Width = 2055, .Height = 735,
     .MousePointer = kPointerCrosshair},
    {.Name = "Image2", .Left = 360, .Top = 3600, .Width = 4815, .Height = 975},
    // 150 twips taller than the client area: the bottom strip is never seen.
    {.Name = "Image1", .Left = 0, .Top = 0, .Width = 13575, .Height = 9135, .Picture = PictureId::Backdrop1,
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

}  // namespace wizlo::layouts
