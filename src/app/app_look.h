#pragma once

#include <QColor>
#include <QFont>

class QApplication;
class QPushButton;
class QWidget;

// The one look of every window: the style sheet of assets/style.qss and the Noto CJK
// fonts, set explicitly so Chinese text never falls back to whatever font is found.
void applyLook(QApplication& app);

// Sans for ordinary text; serif where a window asks for 宋体. Sizes in pixels.
QFont sansFont(int pixelSize, bool bold = false);
QFont serifFont(int pixelSize, bool bold = false);

// A colour written as the program's colour numbers: 0x00BBGGRR, so 255 is red.
QColor colorFromBgr(quint32 bgr);

// A window's command button: never a default button, so Enter never presses it.
QPushButton* makeCommandButton(const QString& caption, const char* objectName, QWidget* parent);

// Makes a widget a borderless window whose teal title strip (see TitleStrip) moves it.
void makeBorderless(QWidget* window);
