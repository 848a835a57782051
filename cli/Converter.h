#pragma once

#include "cli/Options.h"

#include <iosfwd>

namespace cli {

enum ExitStatus { kSuccess = 0, kFailure = 1, kWrongUse = 2 };

// Runs the command with parsed options: reads the CSV file as the window program's import
// does, and writes the list(s) the window program's transfer would give. Messages go to
// `err`; returns the exit status. Nothing is ever written half: a list file is either
// written whole or left as it was.
int run(const Options& options, std::ostream& out, std::ostream& err);

// The whole command: parses the arguments after the program's name and runs it.
int main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cli
