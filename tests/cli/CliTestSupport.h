#pragma once

// Runs the built quillet-cli inside a fresh folder.

#include "RunProgram.h"
#include "TempDir.h"

#include <gtest/gtest.h>

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
