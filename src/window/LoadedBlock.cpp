#include "window/LoadedBlock.h"

#include "model/Document.h"

LoadOutcome LoadedBlock::Load(Document& doc, const std::string& path, std::int32_t binaryOrg)
{
    loading_ = true;
    loaded_ = false;
    const LoadOutcome outcome = LoadObjectFile(doc, path, binaryOrg);
    loading_ = false;
    loaded_ = outcome == LoadOutcome::Loaded;
    return outcome;
}

std::optional<MappedBlock> LoadedBlock::Mapped(const Document& doc) const
{
    if (!loaded_) {
        return std::nullopt;
    }
    return MappedBlock{LayOutBlock(doc.lines, doc.state.Org), doc.state.Ent, doc.state.Sp, doc.labels};
}
