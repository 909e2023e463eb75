#pragma once

// The program-wide state that windows hand to each other. Everything runs on the one
// user-interface thread; each value is set and read only there.

#include <QString>
#include <QVector>

class TDM1;

// The data module, created first at start-up and alive until the end.
inline TDM1* DM1 = nullptr;

// The program folder, ending in "/"; every file path is built on it.
inline QString AppPath;
// Layout size of every window: "800" or "1024".
inline QString ScreenMode = QStringLiteral("1024");
// Current exam type 1..5 (0 reads as 1): selects the question-type table tab_txN.
inline int ExamType = 0;
// Book chosen in the menu, 1..5; it filters nothing.
inline int PracticeBook = 1;
// SELECT of the question set a practice window loads.
inline QString PracticeSql;
// Per question type: the length of one of the 100 steps of the answer-time gauge in
// milliseconds (minutes * 600), and the type code, in parallel.
inline QVector<int> AnswerTimes;
inline QVector<int> AnswerTimeTypes;
// Face of the settings window: background music (0) or answer times (1).
inline int ConfigMode = 0;
// Background music.
inline bool MusicOn = false;
inline QString MusicFile;
inline int VolumeLevel = 12;
// Heading of the practice window (C1_1 of the chapter table's current row) and whether
// the chapter browser is on screen.
inline QString CurrentChapterTitle;
inline bool ChapterBrowserShown = false;
// First question of the loaded practice set.
inline QString FirstQuestionId;
// Whether the note just edited has text (caption of the notes command).
inline bool NoteHasText = false;
// Question handed to the question editor.
inline QString EditQuestionId;
// Exam points the question being entered or edited already has.
inline int AttachedExamPointCount = 0;
