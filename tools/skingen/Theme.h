#pragma once
// The colour schemes of the demo skins. Every piece is painted from one of these, so a scheme is
// the whole difference between two complete skins.

#include <array>
#include <string>

#include "PixelCanvas.h"

namespace morvish::skingen {

struct Theme {
    std::string name;  // the skin's folder name

    // Window frames: the outermost line, the title bar and the body.
    Pixel outline;
    Pixel titleTop, titleBottom, titleShine, titleLine;
    Pixel body, bodyLight, bodyShadow;
    int bodyGrain;  // strength of the paper grain on bodies (0 for none)
    // Sunken panels and text fields printed on backgrounds, and their labels.
    Pixel panel, panelBorder, panelLight;
    Pixel field, fieldBorder;
    Pixel label;
    Pixel tabIdle, tabIdleText, tabText;

    // Buttons in their four looks.
    Pixel faceTop, faceBottom, faceBorder, faceShine, faceText, faceTextShadow;
    Pixel hoverTop, hoverBottom, hoverBorder, hoverRim, hoverText;
    Pixel pressTop, pressBottom, pressBorder, pressShadow, pressText;
    Pixel disabledTop, disabledBottom, disabledBorder, disabledText, disabledTextShadow;

    // Scroll bars, gauges and small marks.
    Pixel track, trackShadow, trackLight;
    Pixel thumbTop, thumbBottom, thumbBorder;
    Pixel hpTop, hpBottom, spTop, spBottom, gaugeBack, gaugeBorder;
    Pixel accent, accentDark, glyph;
    Pixel mark;  // ticks and radio dots on the text-field colour

    // The colour chip, entries 1 to 14 (entry 0 is never read).
    std::array<Pixel, 15> chip;
};

// The light scheme close to the game's classic look: parchment bodies, blue title bars.
const Theme& ParchmentTheme();
// The dark scheme: charcoal frames with amber accents and soft grey text areas.
const Theme& NightfallTheme();

}  // namespace morvish::skingen
