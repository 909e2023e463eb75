#pragma once

#include <QString>

// Draws the pictures of the number and type pads into `picFolder` as BMP files: the
// states of a number button (not answered, selected, right, wrong, answered in an exam,
// selected right, selected wrong) and the normal and pressed type button.
void writePadPictures(const QString& picFolder);
