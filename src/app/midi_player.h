#pragma once

#include <QObject>
#include <QString>

#include <memory>

struct FluidSynthParts;

// Plays a MIDI file once through FluidSynth with a General MIDI SoundFont. The synth and
// the audio driver are created on the first play; without an audio output there is "no
// sound device" and play() says so.
class MidiPlayer : public QObject {
    Q_OBJECT
  public:
    explicit MidiPlayer(QObject* parent = nullptr);
    ~MidiPlayer() override;

    bool play(const QString& file);
    void stop();
    bool isPlaying() const;

    // Level 1 is silent, 16 full; other values are clamped.
    void setVolumeLevel(int level);
    int volumeLevel() const { return level_; }
    static double gainForLevel(int level);

  private:
    bool ensureSynth();

    std::unique_ptr<FluidSynthParts> parts_;
    int level_ = 12;
};
