#pragma once

#include <QByteArray>
#include <QString>

// The text of a rich-text blob without formats: paragraphs and table cells on their own
// lines, non-breaking spaces as spaces, pictures left out (a picture that could not be
// read still shows as its "[图片]" placeholder). Meant for deciding whether a note or a
// guidance text has any content and for searching.
QString rtfToPlainText(const QByteArray& blob);
