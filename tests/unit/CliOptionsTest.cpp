// The console converter's command line: --org, --ent and --sp, and the usage errors of
// values that cannot be ORG, ENT or SP.

#include "cli/CliOptions.h"

#include <gtest/gtest.h>

TEST(CliOptions, ReadsOrgEntAndSpInEveryNumberForm)
{
    const CliOptions options =
        ParseCliOptions({"--org", "&H9000", "--ent=0x9003", "--sp", "49151", "-o", "out.exe", "game.obj"});
    ASSERT_EQ(options.error, "");
    EXPECT_EQ(options.files, std::vector<std::string>{"game.obj"});
    EXPECT_EQ(options.request.output, "out.exe");
    EXPECT_EQ(options.request.values.org, 0x9000);
    EXPECT_EQ(options.request.values.ent, 0x9003);
    EXPECT_EQ(options.request.values.sp, 0xBFFF);

    const CliOptions plain = ParseCliOptions({"game.obj"});
    EXPECT_FALSE(plain.request.values.org || plain.request.values.ent || plain.request.values.sp);

    // ORG has no upper limit of its own; a block past 64K is only warned about.
    EXPECT_EQ(ParseCliOptions({"--org=70000", "game.obj"}).request.values.org, 70000);

    // ENT may be a label of the listing, looked up once it is read; the last --ent counts.
    const BlockValues label = ParseCliOptions({"--ent", "0x10", "--ent=_reset", "game.lst"}).request.values;
    EXPECT_EQ(label.entLabel, "_reset");
    EXPECT_FALSE(label.ent);
    EXPECT_FALSE(ParseCliOptions({"--ent", "start", "--ent", "16", "game.lst"}).request.values.entLabel);
}

TEST(CliOptions, AValueOutOfRangeOrNotANumberIsAnError)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--ent", "70000", "game.obj"},
         "option '--ent' takes a number from 0 to 0xFFFF (decimal, &H or 0x hex) or a label, not '70000'"},
        {{"--ent", "0x80zz", "game.obj"},
         "option '--ent' takes a number from 0 to 0xFFFF (decimal, &H or 0x hex) or a label, not '0x80zz'"},
        {{"--sp=0x10000", "game.obj"},
         "option '--sp' takes a number from 0 to 0xFFFF (decimal, &H or 0x hex), not '0x10000'"},
        {{"--org", "-5", "game.obj"},
         "option '--org' takes a number from 0 to 0x7FFFFFFF (decimal, &H or 0x hex), not '-5'"},
        {{"--org", "99999999999", "game.obj"},
         "option '--org' takes a number from 0 to 0x7FFFFFFF (decimal, &H or 0x hex), not '99999999999'"},
        {{"--sp", "xyz", "game.obj"},
         "option '--sp' takes a number from 0 to 0xFFFF (decimal, &H or 0x hex), not 'xyz'"},
        {{"game.obj", "--ent"}, "option '--ent' needs a value"},
        {{"-o", "out.exe", "game.obj", "more.obj"}, "option '-o' names the output of one file, not of 2"},
    };
    for (const auto& [args, error] : cases) {
        SCOPED_TRACE(error);
        EXPECT_EQ(ParseCliOptions(args).error, error);
    }
    EXPECT_EQ(UsageLine(),
              "usage: quillet-cli [-o FILE | --info] [--watch] [--org N] [--ent N] [--sp N] FILE...");
}
