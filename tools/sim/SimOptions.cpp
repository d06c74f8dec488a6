// Parsing of the headless runner's command line.
#include "SimOptions.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <string_view>

namespace {

template <typename T>
bool ParseNumber(std::string_view text, T& nValue)
{
    const char* pEnd = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), pEnd, nValue);
    return !text.empty() && ec == std::errc() && ptr == pEnd;
}

bool ParseFlips(std::string_view text, std::vector<long long>& vecFlips)
{
    for (;;) {
        const std::size_t nComma = text.find(',');
        long long nTick = 0;
        if (!ParseNumber(text.substr(0, nComma), nTick) || nTick < 0)
            return false;
        vecFlips.push_back(nTick);
        if (nComma == std::string_view::npos)
            break;
        text.remove_prefix(nComma + 1);
    }
    std::sort(vecFlips.begin(), vecFlips.end());
    return true;
}

bool ApplyOption(std::string_view name, std::string_view value, SimOptions& options)
{
    if (name == "--seed")
        return ParseNumber(value, options.tSeed) && options.tSeed >= 0 && options.tSeed <= MAX_SIM_SEED;
    if (name == "--flips")
        return ParseFlips(value, options.vecFlips);
    if (name == "--stages")
        return ParseNumber(value, options.nStages) && options.nStages > 0;
    if (name == "--ticks")
        return ParseNumber(value, options.nTicks) && options.nTicks >= 0;
    if (name == "--rss-at")
        return ParseNumber(value, options.nRssAt) && options.nRssAt > 0;
    if (name == "--png") {
        options.strPng = value;
        return !value.empty();
    }
    return false;
}

} // namespace

std::optional<SimOptions> ParseSimOptions(int argc, const char* const* argv)
{
    SimOptions options;
    std::set<std::string_view> setSeen;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (!setSeen.insert(name).second)
            return std::nullopt;
        if (name == "--solve") {
            options.bSolve = true;
            continue;
        }
        if (name == "--restart") {
            options.bRestart = true;
            continue;
        }
        if (i + 1 >= argc || !ApplyOption(name, argv[i + 1], options))
            return std::nullopt;
        ++i;
    }
    if (!setSeen.contains("--seed") || (options.bSolve && setSeen.contains("--flips")))
        return std::nullopt;
    if (options.bRestart && (!options.bSolve || options.nStages == 0))
        return std::nullopt;
    return options;
}
