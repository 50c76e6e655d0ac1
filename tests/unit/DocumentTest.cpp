// What every command shares: the 16K page of an address, and ShowAddresses, which shows
// ORG, ENT and SP in status panel 3.

#include "ScriptedFrontEnd.h"
#include "model/Document.h"
#include "model/Page16K.h"

#include <gtest/gtest.h>

TEST(Page16K, PagesAndDefaultStackPointer)
{
    EXPECT_EQ(Page16K(0xC123), 0xC000);
    EXPECT_EQ(DefaultSp(0xC123), 0xFFFF);
    EXPECT_EQ(Page16K(0x3FFF), 0);
    EXPECT_EQ(DefaultSp(0x3FFF), 0x3FFF);
    EXPECT_TRUE(SamePage16K(0x8000, 0xBFFF));
    EXPECT_FALSE(SamePage16K(0xBFFF, 0xC000));
    EXPECT_EQ(Page16K(0x12345), 0x10000);
}

TEST(ShowAddresses, FillsPanelThreeInHex)
{
    ScriptedFrontEnd ui;
    Document doc(ui);
    doc.state.Org = 0;
    doc.state.Ent = 0x10;
    doc.state.Sp = 0x3FFF;
    ShowAddresses(doc);
    EXPECT_EQ(ui.Status(StatusPanel::Addresses), "Org=&H0, Ent=&H10, SP=&H3FFF ");
}
