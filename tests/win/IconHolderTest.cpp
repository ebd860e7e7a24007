#include <gtest/gtest.h>

#include <utility>

#include "icons/IconHolder.h"
#include "icons/IconSource.h"
#include "tests/win/WinTestFiles.h"

namespace {

bool IsLiveIcon(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

HICON NewIcon() { return icons::ExtractIconAt(nullptr, wintest::Fixture("TWELVE.DLL"), 3); }

}  // namespace

TEST(IconHolder, AssignAndDestructionReleaseTheHandles) {
    const HICON first = NewIcon(), second = NewIcon();
    ASSERT_TRUE(IsLiveIcon(first));
    ASSERT_TRUE(IsLiveIcon(second));
    {
        icons::IconHolder holder(first);
        holder.Assign(second);
        EXPECT_FALSE(IsLiveIcon(first));
        EXPECT_TRUE(IsLiveIcon(second));
        EXPECT_EQ(holder.Handle(), second);
        holder.Assign(second);  // the same handle again is kept, not destroyed
        EXPECT_TRUE(IsLiveIcon(second));
    }
    EXPECT_FALSE(IsLiveIcon(second));
}

TEST(IconHolder, MovingHandsOverOwnership) {
    const HICON icon = NewIcon(), other = NewIcon();
    icons::IconHolder a(icon);
    icons::IconHolder b(std::move(a));
    EXPECT_EQ(a.Handle(), nullptr);
    EXPECT_EQ(b.Handle(), icon);
    icons::IconHolder c(other);
    c = std::move(b);
    EXPECT_FALSE(IsLiveIcon(other));
    EXPECT_TRUE(IsLiveIcon(icon));
    EXPECT_EQ(c.Handle(), icon);
}
