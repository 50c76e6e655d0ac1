#pragma once

#include "load/LoadObjectFile.h"
#include "window/BlockMapGeometry.h"

#include <optional>
#include <string>

struct Document;

// What a window knows of the loads it runs: whether one is under way (a reader's message
// comes up halfway through, and the block map is not redrawn then), and whether the last
// one gave a block: an aborted load may leave dump lines behind, but no block to map.
class LoadedBlock {
public:
    // Loads `path` into the document, as Open does once its dialog has closed; a binary file
    // at `binaryOrg`.
    LoadOutcome Load(Document& doc, const std::string& path, std::int32_t binaryOrg = 0);

    // The document took a block loaded aside (a reload).
    void Took() { loaded_ = true; }

    // Whether the last load gave a block.
    bool HasBlock() const { return loaded_; }

    // The load under way ended by running out of memory.
    void Abandon() { loading_ = false; }

    bool Loading() const { return loading_; }

    // The block as the map shows it, laid out from ORG with ENT, SP and the labels; nothing
    // when no block is loaded.
    std::optional<MappedBlock> Mapped(const Document& doc) const;

private:
    bool loading_ = false;
    bool loaded_ = false;
};
