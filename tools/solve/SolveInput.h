#pragma once

#include "ReplayInput.h"

#include <istream>
#include <string>
#include <vector>

namespace tavro {

// The command line and standard input of tavro-solve.
struct SolveInput {
    double seconds = 1.0;
    ReplayInput board;

    // Arguments after the program name: nothing or "--time SECONDS" (a
    // number above 0 and at most 3600). The input is the replay tool's: a
    // "clicks" line and what follows it may be left out and are ignored.
    // Throws ReplayInput::Malformed with a message for the player.
    static SolveInput parse(const std::vector<std::string>& args, std::istream& in);
};

} // namespace tavro
