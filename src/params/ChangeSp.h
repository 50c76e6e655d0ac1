#pragma once

struct Document;

// Change SP: prompts for a new stack pointer; asks before accepting one outside ORG's
// 16K page. Cancel changes nothing.
void ChangeSp(Document& doc);
