#include "tunes.h"

namespace {

MidiVoice voice(int channel, int program, int velocity, const char* notes) {
    return {channel, program, velocity, QString::fromLatin1(notes)};
}

}  // namespace

QVector<NamedTune> backgroundTunes() {
    // Ode to Joy (Beethoven), piano with a bass line.
    const char* odeMelody =
        "E4 E4 F4 G4 | G4 F4 E4 D4 | C4 C4 D4 E4 | E4:1.5 D4:0.5 D4:2 | "
        "E4 E4 F4 G4 | G4 F4 E4 D4 | C4 C4 D4 E4 | D4:1.5 C4:0.5 C4:2 | "
        "D4 D4 E4 C4 | D4 E4:0.5 F4:0.5 E4 C4 | D4 E4:0.5 F4:0.5 E4 D4 | C4 D4 G3:2 | "
        "E4 E4 F4 G4 | G4 F4 E4 D4 | C4 C4 D4 E4 | D4:1.5 C4:0.5 C4:2";
    const char* odeBass =
        "C3:4 G2:4 C3:4 G2:2 G2:2 | C3:4 G2:4 C3:4 G2:2 C3:2 | "
        "G2:4 C3:4 G2:4 C3:2 G2:2 | C3:4 G2:4 C3:4 G2:2 C3:2";

    // Twinkle, Twinkle, Little Star (traditional), music box with a bass line.
    const char* twinkleMelody =
        "C4 C4 G4 G4 | A4 A4 G4:2 | F4 F4 E4 E4 | D4 D4 C4:2 | "
        "G4 G4 F4 F4 | E4 E4 D4:2 | G4 G4 F4 F4 | E4 E4 D4:2 | "
        "C4 C4 G4 G4 | A4 A4 G4:2 | F4 F4 E4 E4 | D4 D4 C4:2";
    const char* twinkleBass =
        "C3:4 | F3:2 C3:2 | F3:2 C3:2 | G2:2 C3:2 | C3:2 F3:2 | C3:2 G2:2 | C3:2 F3:2 | "
        "C3:2 G2:2 | C3:4 | F3:2 C3:2 | F3:2 C3:2 | G2:2 C3:2";

    // Frere Jacques (traditional), sung as a round: the second voice enters two bars later.
    const char* jacques =
        "C4 D4 E4 C4 | C4 D4 E4 C4 | E4 F4 G4:2 | E4 F4 G4:2 | "
        "G4:0.5 A4:0.5 G4:0.5 F4:0.5 E4 C4 | G4:0.5 A4:0.5 G4:0.5 F4:0.5 E4 C4 | "
        "C4 G3 C4:2 | C4 G3 C4:2";
    const QString jacquesRound = QStringLiteral("R:8 ") + QString::fromLatin1(jacques);

    // Greensleeves (traditional), harp.
    const char* greensleeves =
        "A4 | C5:2 D5 | E5:1.5 F5:0.5 E5 | D5:2 B4 | G4:1.5 A4:0.5 B4 | C5:2 A4 | "
        "A4:1.5 G#4:0.5 A4 | B4:2 G#4 | E4:2 A4 | C5:2 D5 | E5:1.5 F5:0.5 E5 | D5:2 B4 | "
        "G4:1.5 A4:0.5 B4 | C5:1.5 B4:0.5 A4 | G#4:1.5 F#4:0.5 G#4 | A4:3";

    // Mo Li Hua, Jasmine Flower (traditional Chinese), flute.
    const char* jasmine =
        "E4 E4:0.5 G4:0.5 A4:0.5 C5:0.5 C5:0.5 A4:0.5 | G4 G4:0.5 A4:0.5 G4:2 | "
        "E4 E4:0.5 G4:0.5 A4:0.5 C5:0.5 C5:0.5 A4:0.5 | G4 G4:0.5 A4:0.5 G4:2 | "
        "G4 G4 G4 E4:0.5 G4:0.5 | A4 A4 G4:2 | E4 D4:0.5 E4:0.5 G4 E4:0.5 D4:0.5 | "
        "C4 C4:0.5 D4:0.5 C4:2";

    // Minuet in G (Petzold), harpsichord.
    const char* minuet =
        "D5 G4:0.5 A4:0.5 B4:0.5 C5:0.5 | D5 G4 G4 | E5 C5:0.5 D5:0.5 E5:0.5 F#5:0.5 | "
        "G5 G4 G4 | C5 D5:0.5 C5:0.5 B4:0.5 A4:0.5 | B4 C5:0.5 B4:0.5 A4:0.5 G4:0.5 | "
        "F#4 G4:0.5 A4:0.5 B4:0.5 G4:0.5 | A4:3 | "
        "D5 G4:0.5 A4:0.5 B4:0.5 C5:0.5 | D5 G4 G4 | E5 C5:0.5 D5:0.5 E5:0.5 F#5:0.5 | "
        "G5 G4 G4 | C5 D5:0.5 C5:0.5 B4:0.5 A4:0.5 | B4 C5:0.5 B4:0.5 A4:0.5 G4:0.5 | "
        "A4 B4:0.5 A4:0.5 G4:0.5 F#4:0.5 | G4:3";

    return {
        {QStringLiteral("乐曲01"), {108, {voice(0, 0, 84, odeMelody), voice(1, 32, 70, odeBass)}}},
        {QStringLiteral("乐曲02"),
         {96, {voice(0, 10, 90, twinkleMelody), voice(1, 0, 60, twinkleBass)}}},
        {QStringLiteral("乐曲03"), {112, {voice(0, 73, 84, jacques), {1, 71, 74, jacquesRound}}}},
        {QStringLiteral("乐曲04"), {84, {voice(0, 46, 88, greensleeves)}}},
        {QStringLiteral("乐曲05"), {76, {voice(0, 73, 86, jasmine)}}},
        {QStringLiteral("乐曲06"), {120, {voice(0, 6, 84, minuet)}}},
    };
}
