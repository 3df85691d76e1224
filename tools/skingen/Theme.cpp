#include "Theme.h"

namespace morvish::skingen {

const Theme& ParchmentTheme() {
    static const Theme theme = [] {
        Theme t;
        t.name = "parchment";
        t.outline = Rgb(70, 84, 124);
        t.titleTop = Rgb(206, 222, 248);
        t.titleBottom = Rgb(136, 168, 222);
        t.titleShine = Rgb(240, 246, 255);
        t.titleLine = Rgb(92, 112, 164);
        t.body = Rgb(240, 232, 210);
        t.bodyLight = Rgb(252, 248, 236);
        t.bodyShadow = Rgb(200, 186, 152);
        t.bodyGrain = 3;
        t.panel = Rgb(228, 218, 190);
        t.panelBorder = Rgb(176, 160, 124);
        t.panelLight = Rgb(252, 249, 240);
        t.field = Rgb(253, 251, 245);
        t.fieldBorder = Rgb(150, 136, 104);
        t.label = Rgb(72, 64, 50);
        t.tabIdle = Rgb(204, 190, 156);
        t.tabIdleText = Rgb(120, 106, 78);
        t.tabText = Rgb(50, 70, 130);

        t.faceTop = Rgb(255, 252, 242);
        t.faceBottom = Rgb(220, 208, 176);
        t.faceBorder = Rgb(122, 108, 78);
        t.faceShine = Rgb(255, 255, 255);
        t.faceText = Rgb(42, 62, 124);
        t.faceTextShadow = Rgb(255, 255, 250);
        t.hoverTop = Rgb(255, 255, 255);
        t.hoverBottom = Rgb(226, 236, 255);
        t.hoverBorder = Rgb(40, 110, 230);
        t.hoverRim = Rgb(150, 196, 255);
        t.hoverText = Rgb(20, 80, 210);
        t.pressTop = Rgb(176, 164, 132);
        t.pressBottom = Rgb(218, 208, 180);
        t.pressBorder = Rgb(70, 60, 40);
        t.pressShadow = Rgb(140, 126, 94);
        t.pressText = Rgb(24, 36, 84);
        t.disabledTop = Rgb(232, 230, 226);
        t.disabledBottom = Rgb(208, 206, 202);
        t.disabledBorder = Rgb(168, 166, 162);
        t.disabledText = Rgb(164, 162, 158);
        t.disabledTextShadow = Rgb(248, 248, 246);

        t.track = Rgb(222, 214, 192);
        t.trackShadow = Rgb(186, 174, 144);
        t.trackLight = Rgb(248, 244, 232);
        t.thumbTop = Rgb(170, 196, 240);
        t.thumbBottom = Rgb(104, 140, 210);
        t.thumbBorder = Rgb(60, 84, 140);
        t.hpTop = Rgb(140, 190, 255);
        t.hpBottom = Rgb(36, 96, 214);
        t.spTop = Rgb(255, 150, 140);
        t.spBottom = Rgb(200, 40, 44);
        t.gaugeBack = Rgb(70, 70, 84);
        t.gaugeBorder = Rgb(40, 44, 60);
        t.accent = Rgb(48, 104, 210);
        t.accentDark = Rgb(28, 56, 120);
        t.glyph = Rgb(44, 60, 110);
        t.mark = Rgb(40, 96, 206);

        t.chip = {0,
                  Rgb(252, 249, 238),  // 1 text and list areas
                  Rgb(140, 180, 240),  // 2 fourth skill row, caret
                  Rgb(200, 222, 252),  // 3 second skill row
                  Rgb(252, 232, 172),  // 4 first and third skill rows
                  Rgb(212, 222, 240),  // 5 empty progress bar
                  Rgb(64, 116, 212),   // 6 progress
                  Rgb(60, 72, 108),    // 7 experience bar frame
                  Rgb(228, 226, 216),  // 8 experience bar track
                  Rgb(96, 164, 238),   // 9 experience
                  Rgb(92, 108, 150),   // 10 small box outline
                  Rgb(206, 222, 246),  // 11 locked trade panel
                  Rgb(220, 80, 80),    // 12
                  Rgb(80, 168, 92),    // 13
                  Rgb(236, 196, 84)};  // 14
        return t;
    }();
    return theme;
}

const Theme& NightfallTheme() {
    static const Theme theme = [] {
        Theme t;
        t.name = "nightfall";
        t.outline = Rgb(12, 14, 20);
        t.titleTop = Rgb(132, 140, 168);
        t.titleBottom = Rgb(78, 86, 114);
        t.titleShine = Rgb(176, 184, 208);
        t.titleLine = Rgb(232, 164, 60);
        t.body = Rgb(112, 116, 134);
        t.bodyLight = Rgb(150, 154, 172);
        t.bodyShadow = Rgb(64, 66, 80);
        t.bodyGrain = 0;
        t.panel = Rgb(150, 152, 168);
        t.panelBorder = Rgb(52, 54, 68);
        t.panelLight = Rgb(178, 180, 196);
        t.field = Rgb(196, 198, 210);
        t.fieldBorder = Rgb(40, 42, 54);
        t.label = Rgb(238, 226, 196);
        t.tabIdle = Rgb(64, 68, 84);
        t.tabIdleText = Rgb(150, 150, 160);
        t.tabText = Rgb(72, 40, 0);

        t.faceTop = Rgb(84, 90, 112);
        t.faceBottom = Rgb(44, 48, 62);
        t.faceBorder = Rgb(10, 12, 18);
        t.faceShine = Rgb(130, 136, 160);
        t.faceText = Rgb(238, 228, 204);
        t.faceTextShadow = Rgb(20, 22, 30);
        t.hoverTop = Rgb(120, 126, 152);
        t.hoverBottom = Rgb(70, 76, 98);
        t.hoverBorder = Rgb(255, 184, 64);
        t.hoverRim = Rgb(170, 120, 50);
        t.hoverText = Rgb(255, 216, 130);
        t.pressTop = Rgb(22, 24, 32);
        t.pressBottom = Rgb(50, 54, 70);
        t.pressBorder = Rgb(200, 130, 40);
        t.pressShadow = Rgb(8, 8, 12);
        t.pressText = Rgb(240, 180, 80);
        t.disabledTop = Rgb(86, 86, 90);
        t.disabledBottom = Rgb(70, 70, 74);
        t.disabledBorder = Rgb(48, 48, 52);
        t.disabledText = Rgb(120, 120, 124);
        t.disabledTextShadow = Rgb(56, 56, 60);

        t.track = Rgb(52, 56, 70);
        t.trackShadow = Rgb(26, 28, 36);
        t.trackLight = Rgb(84, 88, 106);
        t.thumbTop = Rgb(250, 196, 100);
        t.thumbBottom = Rgb(196, 128, 40);
        t.thumbBorder = Rgb(60, 40, 14);
        t.hpTop = Rgb(120, 230, 170);
        t.hpBottom = Rgb(24, 150, 90);
        t.spTop = Rgb(150, 190, 255);
        t.spBottom = Rgb(50, 90, 210);
        t.gaugeBack = Rgb(30, 32, 40);
        t.gaugeBorder = Rgb(8, 8, 12);
        t.accent = Rgb(240, 168, 56);
        t.accentDark = Rgb(120, 76, 20);
        t.glyph = Rgb(236, 226, 200);
        t.mark = Rgb(168, 92, 0);

        t.chip = {0,
                  Rgb(194, 196, 210),   // 1 text and list areas
                  Rgb(236, 170, 72),    // 2 fourth skill row, caret
                  Rgb(170, 188, 224),   // 3 second skill row
                  Rgb(226, 200, 146),   // 4 first and third skill rows
                  Rgb(156, 160, 180),   // 5 empty progress bar
                  Rgb(236, 152, 48),    // 6 progress
                  Rgb(16, 18, 26),      // 7 experience bar frame
                  Rgb(66, 70, 88),      // 8 experience bar track
                  Rgb(244, 180, 72),    // 9 experience
                  Rgb(28, 30, 40),      // 10 small box outline
                  Rgb(150, 172, 204),   // 11 locked trade panel
                  Rgb(230, 90, 80),     // 12
                  Rgb(90, 190, 120),    // 13
                  Rgb(120, 170, 240)};  // 14
        return t;
    }();
    return theme;
}

}  // namespace morvish::skingen
