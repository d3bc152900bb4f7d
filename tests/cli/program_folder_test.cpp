#include <gtest/gtest.h>

#include <filesystem>

#include "platform/com/registry.h"
#include "platform/com/server.h"
#include "platform/files.h"

namespace quorin::cli {
namespace {

// The component (inside libquorin.so), the quorin command and the Python package all look for
// cfg/ through the one platform library: a program that linked its own copy would look beside
// itself instead.
TEST(ProgramFolder, IsTheFolderOfLibquorinWithItsCfgForEveryProgram) {
    const std::filesystem::path library =
        ModulePathOf(reinterpret_cast<const void*>(&DllGetClassObject));
    ASSERT_FALSE(library.empty());
    const std::string folder = library.parent_path().string() + "/";
    EXPECT_EQ(ProgramFolder(), folder);
    EXPECT_NE(ProgramFolder(), ExecutableFolder());
    EXPECT_TRUE(std::filesystem::exists(folder + "cfg/Report.ini")) << folder;
}

}  // namespace
}  // namespace quorin::cli
