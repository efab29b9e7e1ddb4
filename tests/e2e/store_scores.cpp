// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the score table of one board and speed as a store file holds it,
// one line per filled row: "position|name|score". For the end-to-end tests,
// which check what the program left in the store.

#include <cstdio>
#include <cstdlib>

#include "app/AppInfo.h"
#include "store/FileRegistry.h"
#include "store/Profile.h"
#include "store/ScoreStore.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s STORE-FILE WIDTH HEIGHT SPEED-MS\n", argv[0]);
        return 2;
    }
    CFileRegistry reg(argv[1]);
    HighScoreTable table;
    LoadScoreTable(table, reg, CProfile::AppKeyPath(kCompanyName, kAppName), std::atoi(argv[2]),
                   std::atoi(argv[3]), std::atoi(argv[4]));
    for (int i = 0; i < table.GetCount(); ++i) {
        const ScoreEntry& row = table.GetRow(i);
        if (row.nScore == 0 && row.Name().empty()) continue;
        std::printf("%d|%s|%d\n", i + 1, row.Name().c_str(), static_cast<int>(row.nScore));
    }
    return 0;
}
