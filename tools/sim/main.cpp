// vantrel-sim: plays games headless on the game core, for checking rules and fields by hand.
#include "CSimRunner.h"
#include "PngFile.h"
#include "SimOptions.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv)
{
    const std::optional<SimOptions> options = ParseSimOptions(argc, argv);
    if (!options) {
        std::fputs(SIM_USAGE, stderr);
        return 2;
    }
    CSimRunner runner(*options);
    const SimResult result = runner.Run(std::cout);
    int nStatus = 0;
    if (!options->strPng.empty() && !SaveBitmapPng(runner.GetBackBuffer(), options->strPng.c_str())) {
        std::cerr << "vantrel-sim: cannot write " << options->strPng << "\n";
        nStatus = 1;
    }
    if (!(std::cout << FormatSimResult(result) << std::endl)) {
        std::cerr << "vantrel-sim: cannot write the result\n";
        nStatus = 1;
    }
    return nStatus;
}
