// What the name of a source file says: its kind, the name the status bar shows, the path
// of its executable, and which other names are the source itself.

#include "TempDir.h"
#include "load/PathQuestions.h"
#include "load/SourceFile.h"
#include "model/TextUtil.h"

#include <gtest/gtest.h>

TEST(SourceFile, OutputPathKeepsTheFolderAndReplacesOnlyTheFinalExtension)
{
    EXPECT_EQ(ExePathFor("/home/ann/z80/obj/demo.obj"), "/home/ann/z80/obj/DEMO.EXE");
    EXPECT_EQ(ExePathFor("C:\\WORK\\DEMO.OBJ"), "C:\\WORK\\DEMO.EXE");
    EXPECT_EQ(ExePathFor("C:\\OBJ\\DEMO.OBJ"), "C:\\OBJ\\DEMO.EXE");
    EXPECT_EQ(ExePathFor("D:\\A.LST\\b.lst"), "D:\\A.LST\\B.EXE");
    EXPECT_EQ(ExePathFor("C:\\WORK\\TESTLST"), "C:\\WORK\\TESTLST.EXE");
    EXPECT_EQ(ExePathFor("prog.lst"), "PROG.EXE");
    EXPECT_EQ(ExePathFor("lib/obj.v2/game.Obj"), "lib/obj.v2/GAME.EXE");
    // An executable is saved again where it is, its name as written.
    EXPECT_EQ(ExePathFor("lib/game.exe"), "lib/game.exe");
}

TEST(SourceFile, KindAndDisplayNameComeFromTheUpperCasedName)
{
    EXPECT_EQ(SourceKindOf("demo.obj"), SourceKind::ObjectFile);
    EXPECT_EQ(SourceKindOf("C:\\WORK\\TESTLST"), SourceKind::Listing);
    EXPECT_EQ(SourceKindOf("demo.hex"), SourceKind::Other);
    EXPECT_EQ(SourceKindOf("game.Exe"), SourceKind::Executable);
    EXPECT_EQ(SourceKindOf("ob"), SourceKind::Other);
#ifdef _WIN32
    EXPECT_EQ(DisplayName("C:\\WORK\\demo.obj"), "DEMO.OBJ");
    EXPECT_EQ(ExePathFor("a\\b.obj"), "a\\B.EXE");
#else
    // A backslash is an ordinary character of a name here.
    EXPECT_EQ(DisplayName("C:\\WORK\\demo.obj"), "C:\\WORK\\DEMO.OBJ");
    EXPECT_EQ(ExePathFor("a\\b.obj"), "A\\B.EXE");
#endif
    EXPECT_EQ(DisplayName("/home/ann/demo.lst"), "DEMO.LST");
    EXPECT_EQ(DisplayName("demo.lst"), "DEMO.LST");
}

TEST(SourceFile, AnotherSpellingOfItsNameIsTheSourceUnlessItsFolderTellsThemApart)
{
    // What a file system that folds case takes for one name.
    EXPECT_TRUE(SameNameFoldingCase("hello.obj", "HELLO.OBJ"));
    EXPECT_TRUE(SameNameFoldingCase("d\u00e9mo \u0105\u0148.obj", "D\u00c9MO \u0104\u0147.OBJ"));
    EXPECT_TRUE(
        SameNameFoldingCase("\u0438\u0433\u0440\u0430\u0451.obj", "\u0418\u0413\u0420\u0410\u0401.obj"));
    EXPECT_FALSE(SameNameFoldingCase("hello.obj", "hello.ob"));
    EXPECT_FALSE(SameNameFoldingCase("a\xC3", "A\xC2"));
#ifndef _WIN32
    // This folder tells them apart: it has no HELLO.OBJ, then lists both.
    TempDir dir;
    const std::string source = dir.Write("hello.obj", ":0180000080FF\n");
    EXPECT_FALSE(MightBeSameFile(dir / "HELLO.OBJ", source));
    dir.Write("HELLO.OBJ", "");
    EXPECT_FALSE(MightBeSameFile(dir / "HELLO.OBJ", source));
    EXPECT_TRUE(MightBeSameFile(dir / "./hello.obj", source));
#endif
}
