// The layout cases the players are tested against are what the renderer lays out today.
#include "LayoutCases.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dravenloom {
namespace {

TEST(LayoutCasesTest, TheKeptCasesAreWhatTheRendererLaysOut) {
    const std::filesystem::path kept =
        std::filesystem::path(DRAVENLOOM_SOURCE_DIR) / LayoutCasesFile;
    EXPECT_TRUE(ReadBytes(kept.string()) == LayoutCasesJson())
        << kept << " differs from the renderer's layout: if the renderer changed on purpose, "
        << "write the cases afresh (cmake --build build --target dravenloom_layout_cases_file) "
        << "and make the applet and the web player lay them out alike";
}

} // namespace
} // namespace dravenloom
