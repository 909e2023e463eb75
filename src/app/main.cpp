// Lorvane: the program entry.

#include "app_look.h"
#include "data_module.h"
#include "frm_dlg.h"
#include "frm_kmmc.h"

#include "frm_kmmc.h"
#include "frm_progress.h"
#include "frm_start.h"
#include "globals.h"
#include "lorvane_application.h"
#include "message_box.h"
#include "single_instance.h"
#include "start_checks.h"

#include <memory>

namespace {

// Each subsystem's windows are reached from the menu through the main window's command
// handler; a command whose window is not wired does nothing.
void wireCommandWindows(TFrmStart& start) {
    start.setWindowOpener(CommandWindow::ChapterBrowser,
                          [](const QString&) { OpenChapterBrowser(PracticeHooks{}); });
}

void bringToFront(TFrmStart& start) {
    start.showFullScreen();
    start.raise();
    start.activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

}  // namespace

int main(int argc, char** argv) {
    LorvaneApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lorvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lorvane"));
    applyLook(app);

    SingleInstance instance;
    if (instance.ActivatePrevInstance())
        return 0;

    if (!FlashInstalled()) {
        SystemMessageBox(QStringLiteral("提示"), QStringLiteral("请安装Flash6插件文件！"),
                         QMessageBox::Warning);
        return 1;
    }

    auto dataModule = std::make_unique<TDM1>();
    DM1 = dataModule.get();
    dataModule->DataModuleCreate();
    if (!dataModule->DbOpened) {
        DM1 = nullptr;
        dataModule.reset();
        SystemMessageBox(QStringLiteral("错误"), QStringLiteral("无法连接数据库！"),
                         QMessageBox::Critical);
        return 1;
    }

    TFrmStart start;
    FrmStart = &start;
    if (start.terminated())
        return 1;
    TFrmProgress progress;
    FrmProgress = &progress;
    TFrmDlg dialog;
    FrmDlg = &dialog;

    wireCommandWindows(start);
    QObject::connect(&instance, &SingleInstance::activationRequested, &start,
                     [&start]() { bringToFront(start); });
    start.showFullScreen();
    const int result = QApplication::exec();

    FrmDlg = nullptr;
    FrmProgress = nullptr;
    FrmStart = nullptr;
    return result;
}
