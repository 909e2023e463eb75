#include "program_halt.h"

#include "data_module.h"
#include "globals.h"
#include "modal_script.h"

#include <cstdlib>

void HaltProgram(int exitCode) {
    if (ModalScript::active())
        throw ProgramHalted();
    if (DM1 != nullptr)
        DM1->closeConnection();
    std::_Exit(exitCode);
}
