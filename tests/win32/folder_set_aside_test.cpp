// The benchmarks and the demonstration set the user's settings folder aside
// while they run: whatever happens, the user's files come back unchanged.
#include <gtest/gtest.h>

#include <string>

#include "e2e/folder_set_aside.h"
#include "win32/win32_support.h"

namespace ks::test {
namespace {

class FolderSetAsideTest : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveTree(folder);
        RemoveTree(folder + ".keystride-saved");
    }
    void TearDown() override { SetUp(); }

    static bool Exists(const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    const std::string folder = TempFilePath("keystride-set-aside");
};

TEST_F(FolderSetAsideTest, UsersFolderComesBackAndTheRunsFilesGo) {
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(folder + "\\options.ini", "user's settings"));
    {
        FolderSetAside aside(folder);
        ASSERT_TRUE(aside.Ready());
        EXPECT_FALSE(Exists(folder));
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        ASSERT_TRUE(WriteWholeFile(folder + "\\options.ini", "the run's settings"));
        ASSERT_TRUE(WriteWholeFile(folder + "\\extra.ini", "left by the run"));
    }
    EXPECT_EQ(ReadWholeFile(folder + "\\options.ini"), "user's settings");
    EXPECT_FALSE(Exists(folder + "\\extra.ini"));
    EXPECT_FALSE(Exists(folder + ".keystride-saved"));
}

TEST_F(FolderSetAsideTest, NoFolderBeforeLeavesNoneAfter) {
    FolderSetAside aside(folder);
    ASSERT_TRUE(aside.Ready());
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(folder + "\\options.ini", "the run's settings"));
    EXPECT_TRUE(aside.Restore());
    EXPECT_FALSE(Exists(folder));
}

TEST_F(FolderSetAsideTest, RestoredFolderSurvivesTheDestructor) {
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(folder + "\\options.ini", "user's settings"));
    {
        FolderSetAside aside(folder);
        ASSERT_TRUE(aside.Ready());
        ASSERT_TRUE(aside.Restore());
        EXPECT_FALSE(aside.Ready());
    }
    EXPECT_EQ(ReadWholeFile(folder + "\\options.ini"), "user's settings");
}

TEST_F(FolderSetAsideTest, CopyLeftByADeadRunBlocksAndNothingIsTouched) {
    const std::string saved = folder + ".keystride-saved";
    ASSERT_TRUE(CreateDirectoryA(saved.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(saved + "\\options.ini", "older user's settings"));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(folder + "\\options.ini", "current settings"));
    {
        FolderSetAside aside(folder);
        EXPECT_FALSE(aside.Ready());
        EXPECT_TRUE(aside.Restore());
    }
    EXPECT_EQ(ReadWholeFile(saved + "\\options.ini"), "older user's settings");
    EXPECT_EQ(ReadWholeFile(folder + "\\options.ini"), "current settings");
}

}  // namespace
}  // namespace ks::test
