#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

// Wrong use of the command: unknown options, missing values. The message is Dutch.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string input;                      // the CSV file
    std::optional<char> separator;          // none: chosen automatically
    std::optional<std::vector<int>> splits; // fixed-width split positions, ascending
    bool titles = false;                    // the first line holds the column titles
    std::vector<std::string> columns;       // numbers from 1 or titles, in the order given
    std::optional<std::string> sortColumn;
    std::optional<std::string> groupColumn;
    std::string folder;                // where the group lists go
    std::optional<std::string> output; // -o: one list to this file
    bool help = false;
};

// Reads the arguments after the program's name. Throws UsageError.
Options parseOptions(const std::vector<std::string>& args);

// The Dutch help text.
std::string helpText();

} // namespace cli
