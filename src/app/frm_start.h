#pragma once

#include "commands.h"
#include "midi_player.h"

#include <QWidget>

#include <functional>
#include <map>

class MainMenu;

// The main window: borderless, covering the screen, with the native menu that delivers
// every command string to ShockwaveFlash1FSCommand. Alive for the whole run; the program
// ends when it closes.
class TFrmStart : public QWidget {
    Q_OBJECT
  public:
    explicit TFrmStart(QWidget* parent = nullptr);

    // The command handler: exact, case-sensitive matching; anything else does nothing.
    void ShockwaveFlash1FSCommand(const QString& command, const QString& arguments);

    // Starts a mock exam of `examType` (1..5) and leaves ExamType at that type.
    void mnks(int examType);

    // Each subsystem wires its windows: the opener creates its window, shows it modally
    // and frees it. A command whose window is not wired yet does nothing.
    using WindowOpener = std::function<void(const QString& command)>;
    void setWindowOpener(CommandWindow window, WindowOpener opener);
    using ExamStarter = std::function<void(int examType)>;
    void setExamStarter(ExamStarter starter) { examStarter_ = std::move(starter); }

    // The "quit" command: the day's work against the study plan, then the window closes.
    void exitCheck();

    // The answer time of each question type of the current exam type, into AnswerTimes
    // and AnswerTimeTypes (one gauge step in milliseconds: minutes * 600).
    void loadAnswerTimes();
    // The countdown to the exam and the day's progress on the menu.
    void refreshMenuInfo();

    MainMenu* menu() const { return menu_; }
    // True when the start-up checks of this window ended the program.
    bool terminated() const { return terminated_; }

    MidiPlayer MidiMediaPlayer;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FormShow();

    MainMenu* menu_;
    std::map<CommandWindow, WindowOpener> openers_;
    ExamStarter examStarter_;
    bool shown_ = false;
    bool terminated_ = false;
};

// The main window (Lorvane's window reference).
inline TFrmStart* FrmStart = nullptr;

// Sets the output volume: level 1 silent, 16 full, other values clamped. Returns the
// level applied.
int SetWaveVolume(int Level);
