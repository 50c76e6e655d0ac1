#pragma once

struct Document;

// Change ORG: prompts for a new load address and re-bases the block to it, rewriting the
// address digits of every dump line; then offers to fix SP and ENT where they no longer
// fit the block. Cancel changes nothing.
void ChangeOrg(Document& doc);
