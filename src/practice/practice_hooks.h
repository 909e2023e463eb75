#pragma once

#include <QString>

#include <functional>

class QWidget;

// Windows of other subsystems that practice opens: a question's exam points, the
// question editor, question entry for a chapter and the settings window. Each is wired
// by the subsystem that owns the window; an unwired command does nothing.
struct PracticeHooks {
    // Shows the exam points of question `questionId`; false when it has none to show.
    std::function<bool(const QString& questionId)> examPoints;
    // Opens the question editor on EditQuestionId.
    std::function<void()> editQuestion;
    // Question entry for a chapter, titled "试题录入 [" + name + "]"; returns how many
    // questions the user saved.
    std::function<int(const QString& chapterCode, const QString& chapterName)> questionEntry;
    // The settings window (background music) owned by `owner`.
    std::function<void(QWidget* owner)> settings;
};
