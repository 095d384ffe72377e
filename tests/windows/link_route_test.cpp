// Opening links from an elevated process: the desktop's shell when it can, ShellExecuteA when
// it cannot. Wine runs every process elevated, so both ways run here for real.
#include <windows.h>

#include "link_log.h"

#include "platform/shell_open.h"
#include "share/share_link.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

std::string UniqueLink(const char* what) {
    static int serial = 0;
    return std::string(RESOLVER_LINK_PREFIX) + what + std::to_string(GetTickCount()) + "-" +
           std::to_string(++serial) + "&pwd=abcd";
}

class LinkRouteTest : public testing::Test {
protected:
    // The link arrives exactly once after the log held seen lines.
    void ExpectDeliveredOnce(size_t seen, const std::string& link) {
        ASSERT_TRUE(log_.WaitForLines(seen + 1)) << link;
        Sleep(500);
        auto lines = log_.Lines();
        EXPECT_EQ(lines.size(), seen + 1);
        EXPECT_EQ(lines.back(), link);
    }

    LinkLog log_;
};

TEST_F(LinkRouteTest, WineRunsEveryProcessElevated) {
    EXPECT_TRUE(ProcessIsElevated());
}

TEST_F(LinkRouteTest, AnElevatedProcessOpensTheLinkOnce) {
    std::string link = UniqueLink("elevated");
    size_t seen = log_.Lines().size();
    OpenLink(link);
    ExpectDeliveredOnce(seen, link);
}

TEST_F(LinkRouteTest, WithoutTheDesktopShellItFallsBackToShellExecute) {
    // A thread without COM cannot reach the desktop's shell: the fallback must open the link.
    std::string link = UniqueLink("fallback");
    size_t seen = log_.Lines().size();
    bool desktopShellWorked = true;
    std::thread([&] {
        desktopShellWorked = OpenThroughDesktopShell(link);
        OpenLink(link);
    }).join();
    EXPECT_FALSE(desktopShellWorked);
    ExpectDeliveredOnce(seen, link);
}

TEST_F(LinkRouteTest, TheDesktopShellOpensTheLinkItself) {
    // Wine's explorer offers the desktop's shell view, so this way works here as on Windows.
    std::string link = UniqueLink("desktop");
    size_t seen = log_.Lines().size();
    ASSERT_TRUE(OpenThroughDesktopShell(link));
    ExpectDeliveredOnce(seen, link);
}

} // namespace
