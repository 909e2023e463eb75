#include "commands.h"

namespace {

CommandAction window(CommandWindow w, bool hourglass) {
    CommandAction a;
    a.kind = CommandAction::Kind::Window;
    a.window = w;
    a.hourglass = hourglass;
    return a;
}

CommandAction page(const QString& path) {
    CommandAction a;
    a.kind = CommandAction::Kind::Page;
    a.page = path;
    return a;
}

}  // namespace

CommandAction commandFor(const QString& command) {
    if (command == QLatin1String("ksdg") || command == QLatin1String("zsd"))
        return window(CommandWindow::Catalogue, true);
    if (command == QLatin1String("lx") || command == QLatin1String("lx2") ||
        command == QLatin1String("lx3") || command == QLatin1String("lx4") ||
        command == QLatin1String("lx5")) {
        CommandAction a = window(CommandWindow::ChapterBrowser, true);
        a.practiceBook = command.size() == 2 ? 1 : command.at(2).digitValue();
        return a;
    }
    if (command == QLatin1String("szjh"))
        return window(CommandWindow::StudyPlan, true);
    if (command == QLatin1String("szks"))
        return window(CommandWindow::ExamSettings, true);
    if (command == QLatin1String("rz"))
        return window(CommandWindow::StudyLog, true);
    if (command == QLatin1String("tj"))
        return window(CommandWindow::ScoreChart, true);
    if (command == QLatin1String("sj"))
        return window(CommandWindow::Upgrade, false);
    if (command == QLatin1String("music") || command == QLatin1String("sztime")) {
        CommandAction a = window(CommandWindow::Config, false);
        a.configMode = command == QLatin1String("music") ? 0 : 1;
        return a;
    }
    if (command == QLatin1String("fg"))
        return page(QStringLiteral("htm/Quessel相关法规汇编.htm"));
    if (command == QLatin1String("lxfs"))
        return page(QStringLiteral("htm/发行站及专业书店联系方式.htm"));
    // The study-method page had no command of its own; "lnst" is ours.
    if (command == QLatin1String("lnst"))
        return page(QStringLiteral("htm/lnst.htm"));
    if (command == QLatin1String("help"))
        return page(QStringLiteral("qzhelp.htm"));
    if (command == QLatin1String("about"))
        return window(CommandWindow::About, false);
    if (command == QLatin1String("quit")) {
        CommandAction a;
        a.kind = CommandAction::Kind::Quit;
        return a;
    }
    if (command == QLatin1String("cj"))
        return window(CommandWindow::ScoreRegister, true);
    if (command == QLatin1String("mnks") || command == QLatin1String("mnks2") ||
        command == QLatin1String("mnks3") || command == QLatin1String("mnks4") ||
        command == QLatin1String("mnks5")) {
        CommandAction a;
        a.kind = CommandAction::Kind::MockExam;
        a.examType = command.size() == 4 ? 1 : command.at(4).digitValue();
        return a;
    }
    return {};
}
