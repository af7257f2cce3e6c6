// Command line of kx5sim.
#pragma once

#include "sim/SimLine.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx5sim {

struct SimOptions {
    LineConfig line;
    std::string linkPath; // symbolic link to the line's path, removed on exit
    bool help = false;
    bool version = false;
};

// args without the program name. On bad usage returns nothing and explains in *error.
std::optional<SimOptions> parseOptions(const std::vector<std::string>& args, std::string* error);
// "1,2,5" or ranges "1-4,9"; stations 1 to 99, duplicates dropped, sorted.
std::optional<std::vector<int>> parseStations(std::string_view text);
std::string usageText();

} // namespace kx5sim
