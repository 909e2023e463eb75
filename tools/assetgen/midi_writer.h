#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// A Standard MIDI File (format 1) of one or more voices.
struct MidiVoice {
    int channel = 0;
    int program = 0;  // General MIDI instrument, 0-based
    int velocity = 80;
    // Notes as "E4:1 F#4:0.5 R:1 | C5:2": a name with octave (or R for a rest) and a length
    // in beats (1 when omitted); "|" marks bars and is ignored.
    QString notes;
};

struct MidiTune {
    int beatsPerMinute = 100;
    QVector<MidiVoice> voices;
};

// Raises std::invalid_argument on a note it cannot read.
QByteArray writeMidi(const MidiTune& tune);

// MIDI key number of a note name such as "C4" (60), "F#3" or "Bb4".
int midiKey(const QString& name);
