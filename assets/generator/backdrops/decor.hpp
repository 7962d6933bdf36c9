#pragma once
#include <cairo.h>

#include <span>

#include "assets/generator/draw/box.hpp"
#include "assets/generator/draw/colour.hpp"
#include "assets/generator/text/arabic_text.hpp"

// Ornaments: the waves and swooshes that part the exercise from the credits,
// the menu's banners and its silver title, the back button.
namespace wizlo::art {

// A band of two interlaced waves, green and white, across the page.
void drawWaveBand(cairo_t* cr, double top, double bottom, Colour green);
// The menu's wave, level under the banners, sweeping up after `bendX`
// towards the right, where no banner stands.
void drawSweepingWave(cairo_t* cr, double leftY, double bendX, double rightY, Colour green);
// A broad tapering brush-stroke across the page.
void drawSwoosh(cairo_t* cr, double top, double bottom, Colour c);
// A banner filling the box, its lower edge wavy, a dark shadow to its right.
void drawBanner(cairo_t* cr, const Box& b, Colour fill, Colour edge);
// A dark rim of its own hue around every letter of `text` at (x, y) painted in one of `colours`,
// so that a pale letter reads on a pale ground, the broad one where its colour alone would not
// (letterRimWidth); drawn before the text itself.
void rimLetters(cairo_t* cr, const ArabicText& text, double x, double y, std::span<const Colour> colours,
                Colour ground);
// Bevelled silver letters.
void drawSilverText(cairo_t* cr, const ArabicText& text, double x, double y);
// The glossy gold oval with a silver rim and the black word for back.
void drawBackButton(cairo_t* cr, const Box& b);

}  // namespace wizlo::art
