#pragma once

#include "window/CommandTable.h"
#include "window/FindEntry.h"

#include <cstdint>
#include <string>

struct Document;

// What Go to and Find ask of the dump list a window shows.
class ListPlaces {
public:
    virtual ~ListPlaces() = default;

    // The row of the dump line that is current (has the focus), -1 for none.
    virtual int CurrentRow() const = 0;

    // Makes `firstRow` the current row and the rows `firstRow` to `lastRow` the only
    // selected ones, scrolled into view, and moves the block map's cursor to `mapAddress`.
    virtual void ShowFound(int firstRow, int lastRow, std::int32_t mapAddress) = 0;
};

// Go to, Find Bytes, Find Next and Find Previous: finding your way in the block. Each
// prompts in the input box (the entry typed last is the default), tells through the
// document's front end what it cannot do, and shows what it finds in the list. The last
// search is remembered for Find Next and Find Previous, across loads.
class BlockFinder {
public:
    // Go to: the dump line that holds the address typed, or the label's address, becomes
    // the current and only selected line. An entry that is neither, an unknown label and
    // an address no dump line holds are told (warning icon), and the prompt comes again.
    void GoTo(Document& doc, ListPlaces& list);

    // Find Bytes prompts for the bytes and seeks them forward; Find Next and Find Previous
    // seek the last bytes sought again, forward or backward, and prompt as Find Bytes
    // does while nothing has been sought yet. What is found is selected, every dump line
    // it lies in; passing an end of the block to find it is told once it shows, and bytes
    // the block does not hold are told (information icon). An entry that is not one of
    // the forms is told (warning icon), and the prompt comes again.
    void Find(Document& doc, ListPlaces& list, WindowCommand command);

private:
    bool AskForBytes(Document& doc);

    std::string goToEntry_;
    std::string findEntry_;
    FindPattern sought_;
};

inline constexpr const char* kGoToPrompt = "Go to address (hex) or label:";
inline constexpr const char* kFindPrompt = "Find bytes (hex, or text in double quotes):";
