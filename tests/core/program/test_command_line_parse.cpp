// The command line's forms: what each asks the program to do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CommandLine.h"

TEST(CommandLineParse, StandardFormsAndMistakes) {
    using A = CommandLineInfo::Action;
    const struct {
        std::vector<std::string> args;
        A action;
        std::string strFile;
        std::string strPrinter;
    } cases[] = {
        {{}, A::kNew, "", ""},
        {{"game.cx"}, A::kOpen, "game.cx", ""},
        {{"--", "-odd.cx"}, A::kOpen, "-odd.cx", ""},
        {{"/p", "game.cx"}, A::kPrint, "game.cx", ""},
        {{"-p", "game.cx"}, A::kPrint, "game.cx", ""},
        {{"/pt", "game.cx", "Office"}, A::kPrintTo, "game.cx", "Office"},
        {{"-pt", "game.cx", "out.pdf"}, A::kPrintTo, "game.cx", "out.pdf"},
        {{"--help"}, A::kHelp, "", ""},
        {{"-h"}, A::kHelp, "", ""},
        {{"--version"}, A::kVersion, "", ""},
        {{"/p"}, A::kError, "", ""},
        {{"/pt", "game.cx"}, A::kError, "", ""},
        {{"a.cx", "b.cx"}, A::kError, "", ""},
        {{"--bogus"}, A::kError, "", ""},
        {{"-x", "game.cx"}, A::kError, "", ""},
    };
    for (const auto& c : cases) {
        std::string strArgs;
        for (const auto& a : c.args) strArgs += a + " ";
        SCOPED_TRACE(strArgs);
        const CommandLineInfo info = ParseCommandLine(c.args);
        EXPECT_EQ(info.action, c.action);
        if (c.action == A::kError) {
            EXPECT_FALSE(info.strError.empty());
        } else {
            EXPECT_EQ(info.strFile, c.strFile);
            EXPECT_EQ(info.strPrinter, c.strPrinter);
        }
    }
}
