// The command line of the headless runner.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

struct SimOptions {
    std::time_t tSeed = 0;           // the second the fixed clock reads
    std::vector<long long> vecFlips; // ticks before which to flip, ascending
    bool bSolve = false;             // plan the fewest flips stage by stage
    int nStages = 0;                 // stop after this many cleared stages; 0 = play to the crash
    std::string strPng;              // where to write the final back buffer, if anywhere
    bool bRestart = false;           // after a crash, a new game one clock second later
    int nRssAt = 0;                  // report peak memory after this many cleared stages; 0 = never
    long long nTicks = -1;           // stop before this tick; 0 = the field as Start draws it; -1 = never
};

// The generator takes 32 bits of the clock, so later seconds only repeat earlier
// fields; the bound also leaves restarts, one second each, far from overflowing.
constexpr std::time_t MAX_SIM_SEED = 4294967295;

constexpr char SIM_USAGE[] = "usage: vantrel-sim --seed S [--flips T1,T2,...] [--solve] [--stages K] [--png FILE]\n"
                             "                   [--ticks N] [--restart] [--rss-at N]\n"
                             "S is a clock second from 0 to 4294967295.\n";

// nullopt for anything malformed: unknown or repeated options, a missing
// value, a missing seed or one out of range, non-numeric or negative numbers, --flips with --solve,
// --restart without both --solve and --stages (it could play forever), a zero --rss-at.
std::optional<SimOptions> ParseSimOptions(int argc, const char* const* argv);
