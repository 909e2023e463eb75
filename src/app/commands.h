#pragma once

#include <QString>

// What a menu command does. The menu delivers command strings; they are matched exactly
// (letter case matters) and anything else does nothing.
enum class CommandWindow {
    None,
    Catalogue,       // TfrmLawsFaGui
    ChapterBrowser,  // TFrmkmmc
    StudyPlan,       // TFrmplan
    ExamSettings,    // TFrmEset
    StudyLog,        // TFrmRz
    ScoreChart,      // Tfrmchart
    Upgrade,         // Tfrmstxz
    Config,          // TFrmConfig
    About,           // TFrmAbout
    ScoreRegister,   // TFrmCheck
};

struct CommandAction {
    enum class Kind { Nothing, Window, Page, Quit, MockExam };
    Kind kind = Kind::Nothing;
    CommandWindow window = CommandWindow::None;
    bool hourglass = false;  // the hourglass from creation until the window shows
    int practiceBook = 0;    // "lx".."lx5": PracticeBook 1..5
    int configMode = -1;     // "music" 0, "sztime" 1
    int examType = 0;        // "mnks".."mnks5": 1..5
    QString page;            // below the program folder
};

CommandAction commandFor(const QString& command);
