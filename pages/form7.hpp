// The second practice page: a passage with single letters picked out in colour, drawn into the
// backdrop, and a hot spot over the drawn back button.

#pragma once

#include "assets/content.hpp"
#include "assets/control_names.hpp"
#include "forms/layout.hpp"

namespace wizlo::layouts {

inline constexpr ImageLayout kForm7Controls[] = {
    {.Name = names::kPageBack, .Left = 960, .Top = 6120, .Width = 1335, .Height = 975},
    // Larger than the client area: its right 30 and bottom 135 twips are cut off.
    {.Name = names::kBackdrop, .Left = 0, .Top = 0, .Width = 13575, .Height = 9135, .Picture = PictureId::Backdrop7,
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

// What the backdrop draws, in twips: a flat sand ground, and the passage with three letters of
// each line in colours of their own.
inline constexpr GroundStop kForm7Ground[] = {{0, 0xF9D7A7}};

inline constexpr PassageLine kForm7Passage[] = {
    {"فِي وَطَنِنَا الْغَالِي مُدُنٌ سَاحِلِيَّةٌ جَمِيلَةٌ،", 0x000000},
    {"وَمِنْهَا مَدِينَةٌ تُسَمَّى عَرُوسَ الْبَحْرِ الْأَحْمَرِ،", 0x000000},
    {"فِيهَا مَطَارٌ دَوْلِيٌّ كَبِيرٌ، وَمِينَاءٌ إِسْلَامِيٌّ،", 0x000000},
    {"وَوَاجِهَةٌ بَحْرِيَّةٌ تُزَيِّنُهَا الْمُجَسَّمَاتُ الْجَمِيلَةُ،", 0x000000},
    {"وَفِيهَا أَعْلَى نَافُورَةٍ بَحْرِيَّةٍ فِي الْعَالَمِ.", 0x000000},
};

inline constexpr PickedLetters kForm7Picked[] = {
    {0, {0, 1}, 0xE0307F}, {0, {4, 1}, 0x248A24}, {0, {5, 4}, 0x00897B},  // pink, green, teal
    {1, {1, 4}, 0xD32F2F}, {1, {3, 2}, 0x8E24AA}, {1, {4, 1}, 0xD85A00},  // red, purple, orange
    {2, {1, 2}, 0x1E5BD8}, {2, {4, 5}, 0xD32F2F}, {2, {5, 0}, 0xD8A000},  // blue, red, yellow
    {3, {0, 5}, 0x00897B}, {3, {2, 2}, 0x248A24}, {3, {3, 1}, 0x8E24AA},  // teal, green, purple
    {4, {1, 0}, 0xE0307F}, {4, {2, 3}, 0x1E5BD8}, {4, {2, 5}, 0xD85A00},  // pink, blue, orange
};

inline constexpr PageContent Form7Content = {
    .form = &Form7,
    .ground = kForm7Ground,
    .passage = kForm7Passage,
    .picked = kForm7Picked,
    .passageSize = 800,
    .firstBaseline = 1150,
    .lineStep = 1180,
    .creditsTop = 7550,
    .creditsBottom = 8450,
    .credits = {.role = 0x66661E, .name = 0x7A4A1E, .school = 0x7A4A1E, .programming = 0x000000},
    .menuLabel = {"جمل تدريبية", true},
};

}  // namespace wizlo::layouts
