#pragma once

#include "convert/CommandLineConversion.h"

#include <string>
#include <vector>

// What the console converter was asked to do.
struct CliOptions {
    enum class Action { Convert, Help, Version };

    Action action = Action::Convert;
    ConversionRequest request;       // its source left empty: see files
    std::vector<std::string> files;  // the files to convert, one or more
    bool watch = false;              // --watch: convert them again whenever they are written
    std::string error;               // not empty: the command line is wrong, and this says how
};

// Reads the arguments after the program name:
//   quillet-cli [-o FILE | --info] [--watch] [--org N] [--ent N] [--sp N] FILE...
//   quillet-cli --help | --version
// -o names the output of one file only.
// "--" ends the options; "-o" also reads as "--output"; a long option's value may be
// attached by "=". N is decimal, "&H" or "0x" hex; a value out of range or not a number
// makes the command line wrong.
CliOptions ParseCliOptions(const std::vector<std::string>& args);

std::string UsageLine();
std::string HelpText();
