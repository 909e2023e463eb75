#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The pictures questions show with <img src="fig:NAME">: small diagrams drawn in code
// (white background, the program's teal and slate), about 300 by 160 pixels.

// Every name drawFigure knows, in a fixed order.
QStringList figureNames();

// The picture called `name`. Raises std::invalid_argument for a name it does not know.
QImage drawFigure(const QString& name);
