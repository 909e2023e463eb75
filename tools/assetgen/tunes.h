#pragma once

#include "midi_writer.h"

#include <QString>
#include <QVector>

struct NamedTune {
    QString fileName;  // "乐曲01" .. "乐曲06"
    MidiTune tune;
};

// Six short public-domain melodies for the background music.
QVector<NamedTune> backgroundTunes();
