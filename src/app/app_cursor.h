#pragma once

// The screen cursor as the windows set it: "hourglass" and "normal" are assignments, so
// there is at most one override cursor, never a stack of them.
void SetHourglassCursor();
void SetNormalCursor();
bool HourglassShown();

// Shows the normal cursor for the life of a scope (a message over work in progress) and
// puts the hourglass back afterwards if it was there.
class CursorPause {
  public:
    CursorPause();
    ~CursorPause();
    CursorPause(const CursorPause&) = delete;
    CursorPause& operator=(const CursorPause&) = delete;

  private:
    bool hourglass_;
};

// Lets the screen repaint while work runs, without taking user input: no menu click can
// start a second command meanwhile.
void ProcessPendingMessages();
