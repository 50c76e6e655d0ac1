#pragma once

#include "convert/CommandLineConversion.h"

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
//   quillet-cli [-o FILE | --info] [--org N] [--ent N] [--sp N] FILE
//   quillet-cli --help | --version
// "--" ends the options; "-o" also reads as "--output"; a long option's value may be
// attached by "=". N is decimal, "&H" or "0x" hex; a value out of range or not a number
// makes the command line wrong.
CliOptions ParseCliOptions(const std::vector<std::string>& args);

std::string UsageLine();
std::string HelpText();
