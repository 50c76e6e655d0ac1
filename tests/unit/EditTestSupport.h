#pragma once

// A loaded block for the ORG, ENT and SP commands, and the transcript lines they produce.

#include "ScriptedFrontEnd.h"
#include "model/Document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class EditTest : public ::testing::Test {
protected:
    // A block as the load leaves it: ORG from line 0, ENT = ORG, SP at the end of ORG's page.
    void Load(std::vector<std::string> lines, std::int32_t blockBytes, std::int32_t org = 0x8000)
    {
        for (std::string& line : lines) {
            doc.lines.Append(std::move(line));
        }
        doc.state.BlockBytes = blockBytes;
        doc.state.Org = org;
        doc.state.Ent = org;
        doc.state.Sp = (org / 0x4000) * 0x4000 + 0x3FFF;
    }

    // The four listing lines of a 64-byte block at 8000.
    void LoadListingBlock()
    {
        Load({"8000  F3 31 FF BF", "8010  76 C3 00 80", "8020  41 4E 45 00", "8030  55 55 00 00"}, 64);
    }

    std::vector<std::string> Lines() const { return doc.lines.Lines(); }

    ScriptedFrontEnd ui;
    Document doc{ui};
};

// The transcript lines of the prompts, questions and status panel 3.
inline std::string OrgPrompt(const std::string& shown, const std::string& typed)
{
    return "Prompt 'Enter new ORG (prefix HEX numbers with '&H'):' [" + shown + "] -> " + typed;
}
inline std::string EntPrompt(const std::string& shown, const std::string& typed)
{
    return "Prompt 'Enter new ENT (prefix HEX numbers with '&H'):' [" + shown + "] -> " + typed;
}
inline std::string SpPrompt(const std::string& shown, const std::string& typed)
{
    return "Prompt 'Enter new SP register value (prefix HEX numbers with '&H'):' [" + shown + "] -> " + typed;
}
inline std::string Past64K(const std::string& answer)
{
    return "Warning [Yes]: New ORG causes block to go over 64K.\\r\\nContinue anyway? -> " + answer;
}
inline std::string SpFromOrg(const std::string& answer)
{
    return "Warning [No]: SP falls outside ORG's 16K page.\\r\\nDo you want to change the SP? -> " + answer;
}
inline std::string SpReally(const std::string& answer)
{
    return "Warning [No]: SP falls outside ORG's 16K page.\\r\\nDo you REALLY want to change the SP? -> " +
           answer;
}
inline std::string EntFromOrg(const std::string& answer)
{
    return "Question [Yes]: ENT address falls outside the block. Change ENT? -> " + answer;
}
inline std::string OrgFromEnt(const std::string& answer)
{
    return "Question [Yes]: ENT address falls outside the block. Change ORG? -> " + answer;
}
inline std::string Panel3(const std::string& org, const std::string& ent, const std::string& sp)
{
    return "Panel 3: Org=&H" + org + ", Ent=&H" + ent + ", SP=&H" + sp + " ";
}
