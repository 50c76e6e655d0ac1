#pragma once

// A document with a scripted front end and a folder for the files a test loads.

#include "ScriptedFrontEnd.h"
#include "TempDir.h"
#include "load/LoadObjectFile.h"
#include "model/Document.h"

#include <gtest/gtest.h>

class LoadTest : public ::testing::Test {
protected:
    LoadOutcome LoadText(const std::string& name, const std::string& content)
    {
        return LoadObjectFile(doc, dir.Write(name, content));
    }

    std::vector<std::string> Lines() const { return doc.lines.Lines(); }

    TempDir dir;
    ScriptedFrontEnd ui;
    Document doc{ui};
};

inline constexpr const char* kDumpHeader = "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n";
inline constexpr const char* kDumpRule = "-----------------------------------------------------\n";
