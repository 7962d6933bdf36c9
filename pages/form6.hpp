// The first practice page: a passage of practice text drawn into the backdrop, and a hot spot over
// the drawn back button.

#pragma once

#include "forms/layout.hpp"

namespace wizlo::layouts {

inline constexpr ImageLayout kForm6Controls[] = {
    {.Name = "Image6", .Left = 480, .Top = 6480, .Width = 1335, .Height = 975},
    // Larger than the client area: its right 15 and bottom 360 twips are cut off.
    {.Name = "Image1", .Left = 0, .Top = 0, .Width = 13575, .Height = 9135, .Picture = PictureId::Backdrop6,
     .Stretch = true},
};

inline constexpr FormLayout Form6 = {
    .Name = "Form6",
    .Caption = "Form6",
    .ClientLeft = 120,
    .ClientTop = 465,
    .ClientWidth = 13560,
    .ClientHeight = 8775,
    .StartUpPosition = kStartUpWindowSystem,
    .Controls = kForm6Controls,
};

}  // namespace wizlo::layouts
