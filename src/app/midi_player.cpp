#include "midi_player.h"

#include "start_checks.h"

#include <QFile>

#include <fluidsynth.h>

namespace {

struct SettingsDeleter {
    void operator()(fluid_settings_t* p) const { delete_fluid_settings(p); }
};
struct SynthDeleter {
    void operator()(fluid_synth_t* p) const { delete_fluid_synth(p); }
};
struct DriverDeleter {
    void operator()(fluid_audio_driver_t* p) const { delete_fluid_audio_driver(p); }
};
struct PlayerDeleter {
    void operator()(fluid_player_t* p) const {
        fluid_player_stop(p);
        delete_fluid_player(p);
    }
};

const char* const kSoundFonts[] = {"/usr/share/sounds/sf2/default-GM.sf2",
                                   "/usr/share/sounds/sf2/TimGM6mb.sf2",
                                   "/usr/share/sounds/sf2/FluidR3_GM.sf2"};

}  // namespace

// Destroyed in reverse order: player, driver, synth, settings.
struct FluidSynthParts {
    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings;
    std::unique_ptr<fluid_synth_t, SynthDeleter> synth;
    std::unique_ptr<fluid_audio_driver_t, DriverDeleter> driver;
    std::unique_ptr<fluid_player_t, PlayerDeleter> player;
};

MidiPlayer::MidiPlayer(QObject* parent) : QObject(parent) {}

MidiPlayer::~MidiPlayer() = default;

double MidiPlayer::gainForLevel(int level) {
    // Level 1 silent, 16 full; FluidSynth's loudest clean gain is about 0.8.
    return 0.8 * (ClampVolumeLevel(level) - 1) / 15.0;
}

void MidiPlayer::setVolumeLevel(int level) {
    level_ = ClampVolumeLevel(level);
    if (parts_ && parts_->synth)
        fluid_synth_set_gain(parts_->synth.get(), static_cast<float>(gainForLevel(level_)));
}

bool MidiPlayer::ensureSynth() {
    if (parts_)
        return parts_->driver != nullptr;
    parts_ = std::make_unique<FluidSynthParts>();
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    parts_->settings.reset(new_fluid_settings());
    if (!parts_->settings)
        return false;
    parts_->synth.reset(new_fluid_synth(parts_->settings.get()));
    if (!parts_->synth)
        return false;
    bool soundFont = false;
    for (const char* sf : kSoundFonts) {
        if (QFile::exists(QString::fromLatin1(sf)) &&
            fluid_synth_sfload(parts_->synth.get(), sf, 1) != FLUID_FAILED) {
            soundFont = true;
            break;
        }
    }
    if (!soundFont)
        return false;
    fluid_synth_set_gain(parts_->synth.get(), static_cast<float>(gainForLevel(level_)));
    parts_->driver.reset(new_fluid_audio_driver(parts_->settings.get(), parts_->synth.get()));
    return parts_->driver != nullptr;
}

bool MidiPlayer::play(const QString& file) {
    stop();
    if (!QFile::exists(file) || !ensureSynth())
        return false;
    parts_->player.reset(new_fluid_player(parts_->synth.get()));
    if (!parts_->player ||
        fluid_player_add(parts_->player.get(), file.toLocal8Bit().constData()) != FLUID_OK)
        return false;
    return fluid_player_play(parts_->player.get()) == FLUID_OK;
}

void MidiPlayer::stop() {
    if (parts_ && parts_->player) {
        parts_->player.reset();
        fluid_synth_all_notes_off(parts_->synth.get(), -1);
    }
}

bool MidiPlayer::isPlaying() const {
    return parts_ && parts_->player &&
           fluid_player_get_status(parts_->player.get()) == FLUID_PLAYER_PLAYING;
}
