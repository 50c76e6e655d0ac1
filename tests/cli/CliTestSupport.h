#pragma once

// Runs the built quillet-cli inside a fresh folder.

#include "RunProgram.h"
#include "TempDir.h"

#include <gtest/gtest.h>

class CliTest : public ::testing::Test {
protected:
    ProgramRun Cli(const std::vector<std::string>& args) { return RunProgram(QUILLET_CLI, args, dir.Path().string()); }

    // Copies a file of the shipped test data into the folder.
    std::string Copy(const std::string& name) { return dir.Write(name, ReadFileBytes(DataFile(name))); }

    TempDir dir;
};
