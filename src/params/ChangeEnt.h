#pragma once

struct Document;

// Change ENT: prompts for a new entry address; offers to change ORG when it falls
// outside the block. Cancel changes nothing.
void ChangeEnt(Document& doc);
