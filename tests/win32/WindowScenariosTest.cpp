// The window's commands as a person runs them with the keys, from a file on disk to the
// executable beside it: the prompts in the input box, the questions and messages in
// message boxes, the file dialogs (stand-ins, answered as the system's would be), and the
// list, the status panels, the clipboard and the file the window leaves behind.

#include "WindowDriver.h"

#include <ostream>

namespace {

// A file in the test's folder: `content`, or a copy of the test data file of that name.
struct File {
    const char* name;
    const char* content = nullptr;
};

// Keys pressed in the list, the answers for the modal windows they bring up, and what
// those windows showed.
struct Step {
    const char* keys;
    std::vector<Reply> replies;
    std::vector<std::string> seen;
};

struct Scenario {
    const char* name;
    std::vector<File> files;
    std::vector<Step> steps;
    // Afterwards: the dump lines' addresses, and the status panels' texts.
    std::vector<std::string> addresses;
    std::vector<std::string> panels;
    // The executable written, the same bytes as one of tests/data/expected or with ORG,
    // ENT and SP as these header bytes; the files in the folder; the clipboard (as it was
    // unless given).
    const char* saved = nullptr;
    const char* sameAs = nullptr;
    const char* header = nullptr;
    std::vector<std::string> folder = {};
    const wchar_t* clipboard = L"kept";
};

void PrintTo(const Scenario& scenario, std::ostream* out)
{
    *out << scenario.name;
}

const std::string kOpen = "File [Tasm OBJ Files (Intel, Motorola or MOS Hex, *.OBJ)]: Open Object File... ''";
std::string SaveAs(const std::string& name)
{
    return "File [Kestrane EXE Files (*.EXE)]: Save Kestrane EXE As... '" + name + "'";
}
const std::string kSavedHello = "Information [OK]: File saved as '%DIR%\\HELLO.EXE'";
const std::string kOrgPrompt = "Prompt [&H8000]: Enter new ORG (prefix HEX numbers with '&H'):";
const std::string kEntPrompt = "Prompt [&H8000]: Enter new ENT (prefix HEX numbers with '&H'):";
const std::string kSpPrompt = "Prompt [&HBFFF]: Enter new SP register value (prefix HEX numbers with '&H'):";
const std::string kFindPrompt = "Prompt []: Find bytes (hex, or text in double quotes):";
const std::vector<std::string> kNoPanels{"", "", ""};
const std::vector<std::string> kHelloObjPanels{"HELLO.OBJ (172 bytes)", "Block=62 bytes ",
                                               "Org=&H8000, Ent=&H8000, SP=&HBFFF "};

Step OpenFile(const wchar_t* name)
{
    return {"^O", {Choose(name)}, {kOpen}};
}

Step SaveTo(const wchar_t* name, const std::string& shown, const std::string& saved)
{
    return {"^S", {Choose(name), Enter()}, {SaveAs(shown), saved}};
}

class WindowScenario : public WindowTest, public testing::WithParamInterface<Scenario> {};

TEST_P(WindowScenario, LeavesTheWindowAndTheFilesAsAPersonExpects)
{
    const Scenario& scenario = GetParam();
    for (const File& file : scenario.files) {
        dir.Write(file.name, file.content != nullptr ? file.content : ReadFileBytes(DataFile(file.name)));
    }
    SetClipboardText(L"kept");
    Quillet q(dialogs);
    for (const Step& step : scenario.steps) {
        for (const Reply& reply : step.replies) {
            answerer.Then(reply);
        }
        q.Keys(step.keys);
        std::vector<std::string> seen;
        for (const std::string& text : step.seen) {
            seen.push_back(InDir(text));
        }
        EXPECT_EQ(answerer.Take(), seen) << step.keys;
        ASSERT_TRUE(answerer.AllAnswered()) << step.keys;
    }

    std::vector<std::string> addresses;
    for (const std::string& line : q.Lines()) {
        addresses.push_back(line.substr(0, 4));
    }
    EXPECT_EQ(addresses, scenario.addresses);
    if (!scenario.panels.empty()) {
        EXPECT_EQ(q.Panels(), scenario.panels);
    }
    if (scenario.saved != nullptr) {
        const std::string saved = ReadFileBytes(dir / scenario.saved);
        if (scenario.sameAs != nullptr) {
            EXPECT_EQ(saved, ReadFileBytes(DataFile(std::string("expected/") + scenario.sameAs)));
        }
        if (scenario.header != nullptr) {
            std::string header;
            for (std::size_t at = 16; at < 22 && at < saved.size(); ++at) {
                static const char digits[] = "0123456789abcdef";
                header += {digits[static_cast<unsigned char>(saved[at]) >> 4], digits[saved[at] & 0xF]};
            }
            EXPECT_EQ(header, scenario.header);
        }
    }
    if (!scenario.folder.empty()) {
        EXPECT_EQ(dir.FileNames(), scenario.folder);
    }
    EXPECT_EQ(ClipboardText(), scenario.clipboard);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, WindowScenario,
    testing::Values(
        Scenario{"BeforeALoadOnlyOpenWorks",
                 {},
                 {{"^S ^R ^E ^P ^C", {}, {}}, {"^O", {Cancel()}, {kOpen}}},
                 {},
                 kNoPanels},
        Scenario{"AfterAFailedLoadOnlyOpenWorks",
                 {{"bad.obj", ":0180000080FF\n:01800100\n"}, {"hello.obj"}},
                 {{"^O",
                   {Choose(L"bad.obj"), Enter()},
                   {kOpen, "Warning [OK]: Object file is invalid. File read aborted."}},
                  {"^C ^S", {}, {}},
                  OpenFile(L"hello.obj")},
                 {"8000", "8018", "8030"},
                 kHelloObjPanels},
        Scenario{
            "ReBasedWithEntAndSpSet",
            {{"hello.obj"}},
            {OpenFile(L"hello.obj"),
             // ORG 8000 -> 9000: SP BFFF still shares ORG's page; ENT 8000 is now below
             // the block.
             {"^R",
              {Type(L"&H9000"), Enter(), Type(L"&H9003")},
              {kOrgPrompt, "Question [Yes]: ENT address falls outside the block. Change ENT?", kEntPrompt}},
             // An SP outside ORG's page is taken only when the user insists; No is the default.
             {"^P",
              {Type(L"&H4000"), Enter()},
              {kSpPrompt,
               "Warning [No]: SP falls outside ORG's 16K page.\nDo you REALLY want to change the SP?"}},
             {"^P", {Type(L"xyz"), Type(L"&HBF00")}, {kSpPrompt, kSpPrompt}},  // not a number: asked again
             {"^E", {Cancel()}, {"Prompt [&H9003]: Enter new ENT (prefix HEX numbers with '&H'):"}},
             SaveTo(L"HELLO.EXE", "HELLO.EXE", kSavedHello)},
            {"9000", "9018", "9030"},
            {"HELLO.OBJ (172 bytes)", "Block=62 bytes ", "Org=&H9000, Ent=&H9003, SP=&HBF00 "},
            "HELLO.EXE",
            nullptr,
            "0090039000bf"},
        Scenario{
            "AnEntOutsideTheBlockMovesTheBlockToIt",
            {{"hello.lst"}},
            {OpenFile(L"hello.lst"),
             {"^E",
              {Type(L"&HC000"), Yes(), Type(L"&HC000"), Enter()},
              {kEntPrompt, "Question [Yes]: ENT address falls outside the block. Change ORG?", kOrgPrompt,
               "Warning [No]: SP falls outside ORG's 16K page.\nDo you want to change the SP?"}}},
            {"C000", "C010", "C020", "C030"},
            {"HELLO.LST (1343 bytes)", "Block=64 bytes ", "Org=&HC000, Ent=&HC000, SP=&HBFFF "}},
        Scenario{"AnObjectFileSavesAsTheConverterWritesIt",
                 {{"hello.obj"}},
                 {OpenFile(L"hello.obj"), SaveTo(L"HELLO.EXE", "HELLO.EXE", kSavedHello)},
                 {"8000", "8018", "8030"},
                 kHelloObjPanels,
                 "HELLO.EXE",
                 "HELLO.OBJ.EXE"},
        Scenario{"AListingSavesAsTheConverterWritesIt",
                 {{"hello.lst"}},
                 {OpenFile(L"hello.lst"), SaveTo(L"HELLO.EXE", "HELLO.EXE", kSavedHello)},
                 {"8000", "8010", "8020", "8030"},
                 {"HELLO.LST (1343 bytes)", "Block=64 bytes ", "Org=&H8000, Ent=&H8000, SP=&HBFFF "},
                 "HELLO.EXE",
                 "HELLO.LST.EXE"},
        Scenario{"RecordsFarApartSaveAsTheConverterWritesThem",
                 {{"split.obj"}},
                 {OpenFile(L"split.obj"),
                  SaveTo(L"SPLIT.EXE", "SPLIT.EXE", "Information [OK]: File saved as '%DIR%\\SPLIT.EXE'")},
                 {"8000", "9000", "9100"},
                 {"SPLIT.OBJ (124 bytes)", "Block=38 bytes ", "Org=&H8000, Ent=&H8000, SP=&HBFFF "},
                 "SPLIT.EXE",
                 "SPLIT.OBJ.EXE"},
        Scenario{
            "ACancelledSaveOrAMissingFolderWritesNothing",
            {{"hello.obj"}},
            {OpenFile(L"hello.obj"),
             {"^S", {Cancel(), Enter()}, {SaveAs("HELLO.EXE"), "Information [OK]: Save canceled!"}},
             // Refused, and offered again; the output path stays as it was.
             {"^S",
              {Choose(L"nope\\deeper\\X.EXE"), Enter(), Cancel(), Enter()},
              {SaveAs("HELLO.EXE"),
               "Warning [OK]: The folder '%DIR%\\nope\\deeper' does not exist. Check the path and try again.",
               SaveAs("nope\\deeper\\X.EXE"), "Information [OK]: Save canceled!"}},
             {"^S", {Cancel(), Enter()}, {SaveAs("HELLO.EXE"), "Information [OK]: Save canceled!"}}},
            {"8000", "8018", "8030"},
            kHelloObjPanels,
            nullptr,
            nullptr,
            nullptr,
            {"hello.obj"}},
        Scenario{"AnEarlierFileIsReplacedOnlyWhenTheUserAgrees",
                 {{"hello.lst"}, {"HELLO.EXE", "earlier build"}},
                 {OpenFile(L"hello.lst"),
                  {"^S",
                   {Choose(L"HELLO.EXE"), Enter(), Enter()},
                   {SaveAs("HELLO.EXE"), "Information [No]: File exists. Delete?",
                    "Information [OK]: Save abort!"}},
                  {"^S",
                   {Choose(L"HELLO.EXE"), Yes(), Enter()},
                   {SaveAs("HELLO.EXE"), "Information [No]: File exists. Delete?", kSavedHello}}},
                 {"8000", "8010", "8020", "8030"},
                 {},
                 "HELLO.EXE",
                 "HELLO.LST.EXE"},
        Scenario{
            "GoToAndFindSelectTheLinesTheyFind",
            {{"hello.lst"}},
            {OpenFile(L"hello.lst"),
             {"^G",
              {Type(L"nowhere"), Enter(), Type(L"done")},
              {"Prompt []: Go to address (hex) or label:", "Warning [OK]: No label 'nowhere' in the block.",
               "Prompt [nowhere]: Go to address (hex) or label:"}},
             // Text across two lines, past the end of the block; bytes sought again with F3
             // and Shift+F3, each passing an end.
             {"^F",
              {Type(L"\"KESTRANE\""), Enter()},
              {kFindPrompt, "Information [OK]: Passed the end of the block: found from its start."}},
             {"^F", {Type(L"00 80")}, {"Prompt [\"KESTRANE\"]: Find bytes (hex, or text in double quotes):"}},
             {"F3", {Enter()}, {"Information [OK]: Passed the end of the block: found from its start."}},
             {"S-F3", {Enter()}, {"Information [OK]: Passed the start of the block: found from its end."}},
             {"^C", {}, {}}},
            {"8000", "8010", "8020", "8030"},
            {},
            nullptr,
            nullptr,
            nullptr,
            {},
            L"8020  41 4E 45 00 00 80 07 80 10 80 55 55 55 55 55 55\r\n"},
        Scenario{"AFileWithoutDumpLinesLeavesTheListEmpty",
                 {{"hello.obj"}, {"notes.txt", "no dump here\n"}},
                 {OpenFile(L"hello.obj"), OpenFile(L"notes.txt"), {"^C", {}, {}}},
                 {},
                 kNoPanels}),
    [](const testing::TestParamInfo<Scenario>& param) { return std::string(param.param.name); });

}  // namespace
