#pragma once

struct Document;

// Fills status panel 3 with ORG, ENT and SP: "Org=&H8000, Ent=&H8000, SP=&HBFFF ".
void ShowAddresses(Document& doc);
