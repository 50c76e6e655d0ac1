#pragma once

#include "ui/CommandLineConversion.h"

#include <string>
#include <vector>

// What the console converter was asked to do.
struct CliOptions {
    enum class Action { Convert, Help, Version };

    Action action = Action::Convert;
    ConversionRequest request;
    std::string error;  // not empty: the command line is wrong, and this says how
};

// Reads the arguments after the program name:
//   quillet-cli [-o FILE] FILE
//   quillet-cli --help | --version
// "--" ends the options; "-o" also reads as "--output", with the value attached by "=".
CliOptions ParseCliOptions(const std::vector<std::string>& args);

std::string UsageLine();
std::string HelpText();
