#pragma once

#include <QSize>
#include <QString>

// The menu needs no plug-in on this platform: the check always passes.
bool FlashInstalled();

// The program once refused to start at large system fonts, because its windows had fixed
// pixel layouts. Qt scales every window to the screen, so every dpi is normal now; the
// routine stays so that the start-up sequence reads as it always has.
bool IsNormalDpi();

// The layout size of every window for a screen of `size` logical pixels: "800" for an
// 800-wide or 600-high screen and for any screen smaller than 1024 x 768 in either
// direction (so every window fits), otherwise "1024".
QString ScreenModeFor(const QSize& size);

// Volume levels run from 1 (silent) to 16 (full); anything else is clamped.
int ClampVolumeLevel(int level);
