#include "midi_writer.h"

#include <QStringList>

#include <cmath>
#include <stdexcept>

namespace {

constexpr int kTicksPerBeat = 480;

void putBigEndian(QByteArray& out, quint32 value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

void putVarLen(QByteArray& out, quint32 value) {
    quint8 buffer[5];
    int n = 0;
    buffer[n++] = value & 0x7f;
    while ((value >>= 7) != 0)
        buffer[n++] = static_cast<quint8>((value & 0x7f) | 0x80);
    while (n > 0)
        out += static_cast<char>(buffer[--n]);
}

QByteArray chunk(const char* type, const QByteArray& body) {
    QByteArray out(type, 4);
    putBigEndian(out, static_cast<quint32>(body.size()), 4);
    return out + body;
}

QByteArray tempoTrack(int bpm) {
    QByteArray t;
    putVarLen(t, 0);
    t += QByteArray::fromHex("ff5103");
    putBigEndian(t, static_cast<quint32>(60000000 / std::max(bpm, 1)), 3);
    putVarLen(t, 0);
    t += QByteArray::fromHex("ff2f00");
    return chunk("MTrk", t);
}

QByteArray voiceTrack(const MidiVoice& voice) {
    const auto ch = static_cast<char>(voice.channel & 0x0f);
    QByteArray t;
    putVarLen(t, 0);
    t += static_cast<char>(0xc0 | ch);
    t += static_cast<char>(voice.program & 0x7f);
    quint32 pendingDelta = 0;
    for (const QString& token : voice.notes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (token == QLatin1String("|"))
            continue;
        const QStringList parts = token.split(QLatin1Char(':'));
        double beats = 1.0;
        if (parts.size() > 1) {
            bool ok = false;
            beats = parts.at(1).toDouble(&ok);
            if (!ok || beats <= 0)
                throw std::invalid_argument("bad length in " + token.toStdString());
        }
        const auto ticks = static_cast<quint32>(std::lround(beats * kTicksPerBeat));
        if (parts.at(0) == QLatin1String("R")) {
            pendingDelta += ticks;
            continue;
        }
        const int key = midiKey(parts.at(0));
        putVarLen(t, pendingDelta);
        t += static_cast<char>(0x90 | ch);
        t += static_cast<char>(key);
        t += static_cast<char>(voice.velocity & 0x7f);
        // Release a little early so repeated notes are heard as two.
        const quint32 sounding = ticks > 40 ? ticks - 30 : ticks;
        putVarLen(t, sounding);
        t += static_cast<char>(0x80 | ch);
        t += static_cast<char>(key);
        t += static_cast<char>(0);
        pendingDelta = ticks - sounding;
    }
    putVarLen(t, pendingDelta);
    t += QByteArray::fromHex("ff2f00");
    return chunk("MTrk", t);
}

}  // namespace

int midiKey(const QString& name) {
    static const int kSteps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2)
        throw std::invalid_argument("bad note " + name.toStdString());
    const QChar letter = name.at(0).toUpper();
    if (letter < QLatin1Char('A') || letter > QLatin1Char('G'))
        throw std::invalid_argument("bad note " + name.toStdString());
    int step = kSteps[letter.unicode() - 'A'];
    int i = 1;
    if (name.at(i) == QLatin1Char('#')) {
        ++step;
        ++i;
    } else if (name.at(i) == QLatin1Char('b')) {
        --step;
        ++i;
    }
    bool ok = false;
    const int octave = name.mid(i).toInt(&ok);
    if (!ok)
        throw std::invalid_argument("bad octave in " + name.toStdString());
    const int key = (octave + 1) * 12 + step;
    if (key < 0 || key > 127)
        throw std::invalid_argument("note out of range " + name.toStdString());
    return key;
}

QByteArray writeMidi(const MidiTune& tune) {
    QByteArray header;
    putBigEndian(header, 1, 2);  // format 1
    putBigEndian(header, static_cast<quint32>(tune.voices.size() + 1), 2);
    putBigEndian(header, kTicksPerBeat, 2);
    QByteArray out = chunk("MThd", header) + tempoTrack(tune.beatsPerMinute);
    for (const MidiVoice& v : tune.voices)
        out += voiceTrack(v);
    return out;
}
