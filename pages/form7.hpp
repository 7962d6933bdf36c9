// The second practice page: a passage with single letters picked out in colour, drawn into the
// backdrop, and a hot spot over the drawn back button.

#pragma once

#include "forms/layout.hpp"

namespace wizlo::layouts {

inline constexpr ImageLayout kForm7Controls[] = {
    {.Name = "Image6", .Left = 960, .Top = 6120, .Width = 1335, .Height = 975},
    // Larger than the client area: its right 30 and bottom 135 twips are cut off.
    {.Name = "Image1", .Left = 0, .Top = 0, .Width = 13575, .Height = 9135, .Picture = PictureId::Backdrop7,
     .Stretch = true},
};

inline constexpr FormLayout Form7 = {
    .Name = "Form7",
    .Caption = "Form7",
    .ClientLeft = 120,
    .ClientTop = 465,
    .ClientWidth = 13545,
    .ClientHeight = 9000,
    .StartUpPosition = kStartUpWindowSystem,
    .Controls = kForm7Controls,
};

}  // namespace wizlo::layouts
