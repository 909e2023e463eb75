#pragma once

#include <stdexcept>

// Thrown instead of ending the process while a test script drives the program.
class ProgramHalted : public std::runtime_error {
  public:
    ProgramHalted() : std::runtime_error("the program ended") {}
};

// Ends the program at once, after a failure that leaves nothing usable (its pictures are
// missing, a paper cannot be made). What was committed is safe on disk; the connection is
// closed first.
[[noreturn]] void HaltProgram(int exitCode = 1);
