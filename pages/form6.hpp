// The first practice page: a passage of practice text drawn into the backdrop, and a hot spot over
// the drawn back button.

#pragma once

#include "assets/content.hpp"
#include "assets/control_names.hpp"
#include "forms/layout.hpp"

namespace wizlo::layouts {

inline constexpr ImageLayout kForm6Controls[] = {
    {.Name = names::kPageBack, .Left = 480, .Top = 6480, .Width = 1335, .Height = 975},
    // Larger than the client area: its right 15 and bottom 360 twips are cut off.
    {.Name = names::kBackdrop, .Left = 0, .Top = 0, .Width = 13575, .Height = 9135, .Picture = PictureId::Backdrop6,
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

// What the backdrop draws, in twips: a white ground warming to peach at the lower left, and the
// passage with every other line in red.
inline constexpr GroundStop kForm6Ground[] = {{0, 0xFFFFFF}, {0.35, 0xFEF3E6}, {1, 0xF6CC9A}};

inline constexpr PassageLine kForm6Passage[] = {
    {"خَرَجَ الْوَلَدُ إِلَى حَقْلٍ قَرِيبٍ مِنْ بَيْتِهِ،", 0x000000},
    {"فَرَأَى فَلَّاحًا يُمْسِكُ مِحْرَاثَهُ، وَيَعْمَلُ بِجِدٍّ وَنَشَاطٍ.", 0xC8102E},
    {"فَاقْتَرَبَ مِنْهُ وَأَخَذَ يُرَاقِبُهُ، ثُمَّ سَلَّمَ عَلَيْهِ،", 0x000000},
    {"وَسَأَلَهُ: أَلَا تَتْعَبُ مِنْ هَذَا الْعَمَلِ يَا عَمِّي؟", 0xC8102E},
};

inline constexpr PageContent Form6Content = {
    .form = &Form6,
    .ground = kForm6Ground,
    .passage = kForm6Passage,
    .passageSize = 900,
    .firstBaseline = 1500,
    .lineStep = 1450,
    .creditsTop = 7700,
    .creditsBottom = 8550,
    .credits = {},
    .menuLabel = {"جمل تدريبية"},
};

}  // namespace wizlo::layouts
