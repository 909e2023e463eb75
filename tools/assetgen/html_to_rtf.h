#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

// Draws the picture an <img src="fig:NAME"> of the source names.
using FigureSource = std::function<QImage(const QString& name)>;

// The source's HTML fragments as the RTF documents the bank stores, in the font every
// question is shown in. Pictures named "fig:NAME" come from `figures` and are stored in
// the document as PNG; any other picture source raises std::invalid_argument.
QByteArray htmlToRtf(const QString& html, const FigureSource& figures = {});
