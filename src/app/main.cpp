#include "data_module.h"
#include "globals.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lorvane"));
    TDM1 dm;
    DM1 = &dm;
    dm.DataModuleCreate();
    if (!dm.DbOpened) {
        QMessageBox::critical(nullptr, QStringLiteral("错误"), QStringLiteral("无法连接数据库！"));
        return 1;
    }
    QMessageBox::information(nullptr, QStringLiteral("Lorvane"),
                             QStringLiteral("题库已打开：%1").arg(AppPath));
    return 0;
}
