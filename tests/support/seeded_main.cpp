// SPDX-License-Identifier: GPL-3.0-or-later
// The program with every game seeded from $COILIX_TEST_SEED (a decimal
// number), for scripts that need to know the board in advance. Without the
// variable it seeds from the clock, as the shipped program does.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Program.h"

int main(int argc, char** argv) {
    ProgramSetup setup;
    if (const char* pszSeed = std::getenv("COILIX_TEST_SEED"); pszSeed && *pszSeed) {
        char* pEnd = nullptr;
        const unsigned long nSeed = std::strtoul(pszSeed, &pEnd, 10);
        if (*pEnd != '\0' || nSeed > UINT32_MAX) {
            std::fprintf(stderr, "COILIX_TEST_SEED is not a 32-bit number: %s\n", pszSeed);
            return 2;
        }
        setup.seedSource = [nSeed] { return static_cast<uint32_t>(nSeed); };
    }
    return RunProgram(argc, argv, setup);
}
