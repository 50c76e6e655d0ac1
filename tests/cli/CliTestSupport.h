#pragma once

// Runs the built quillet-cli inside a fresh folder.

#include "RunProgram.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>

// A listing whose dump section holds `count` lines of 16 zero bytes from 8000 on, as the
// assembler lists a block (wrapping from FFF0 to 0000).
inline std::string ListingWithDumpLines(int count)
{
    std::string lst = "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n" + std::string(53, '-') + "\n";
    for (int i = 0; i < count; ++i) {
        char address[8];
        std::snprintf(address, sizeof address, "%04X", (0x8000 + 16 * i) & 0xFFFF);
        lst += std::string(address) + "  00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n";
    }
    return lst;
}

class CliTest : public ::testing::Test {
protected:
    // Runs quillet-cli and reads its messages line by line, whatever the system's line ends.
    ProgramRun Cli(const std::vector<std::string>& args)
    {
        ProgramRun run = RawCli(args);
        run.out = LfLineEnds(run.out);
        run.err = LfLineEnds(run.err);
        return run;
    }

    ProgramRun RawCli(const std::vector<std::string>& args)
    {
        return RunProgram(QUILLET_CLI, args, dir.Path().u8string());
    }

    // Copies a file of the shipped test data into the folder.
    std::string Copy(const std::string& name) { return dir.Write(name, ReadFileBytes(DataFile(name))); }

    TempDir dir;
};
