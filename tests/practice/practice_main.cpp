#include "app_look.h"
#include "frm_dlg.h"
#include "lorvane_application.h"
#include "practice_tests.h"

#include <memory>

std::vector<PracticeTestRunner>& practiceTestRunners() {
    static std::vector<PracticeTestRunner> runners;
    return runners;
}

int main(int argc, char** argv) {
    LorvaneApplication app(argc, argv);
    applyLook(app);
    // The message dialog lives for the whole run, as in the program.
    auto dialog = std::make_unique<TFrmDlg>();
    FrmDlg = dialog.get();
    int failures = 0;
    for (const auto& run : practiceTestRunners())
        failures += run(argc, argv) != 0 ? 1 : 0;
    FrmDlg = nullptr;
    return failures == 0 ? 0 : 1;
}
