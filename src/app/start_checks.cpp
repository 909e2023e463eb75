#include "start_checks.h"

#include <algorithm>

bool FlashInstalled() {
    return true;
}

bool IsNormalDpi() {
    return true;
}

QString ScreenModeFor(const QSize& size) {
    if (size.width() == 800 || size.height() == 600 || size.width() < 1024 || size.height() < 768)
        return QStringLiteral("800");
    return QStringLiteral("1024");
}

int ClampVolumeLevel(int level) {
    return std::clamp(level, 1, 16);
}
