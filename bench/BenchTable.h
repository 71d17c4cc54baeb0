#pragma once

#include <string>

// One line of the closing table: a measured figure against its floor.
struct Comparison {
    std::string label;
    std::string figure; // benchmark name, or "name:counter" for a counter
    std::string floor;  // benchmark name or "name:counter"; empty: fixedFloor is the floor
    double target;      // the ratio figure / floor must stay at or below this
    double fixedFloor = 0.0;
};

// Registers a comparison to print after all benchmarks ran.
void compare(Comparison comparison);

// Runs the registered benchmarks and prints the table; returns the process exit code.
int runBenchmarksAndPrintTable(int argc, char** argv);
