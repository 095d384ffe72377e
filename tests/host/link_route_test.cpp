#include "platform/link_route.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LinkRoute, ElevationDecidesTheWayAndFailureFallsBack) {
    struct Case {
        bool elevated;
        bool desktopShellWorks;
        const char* expectedCalls;
    };
    const Case cases[] = {
        // Not elevated: straight to ShellExecuteA; the desktop's shell is not asked.
        {false, true, "direct"},
        {false, false, "direct"},
        // Elevated: the desktop's shell opens it, with the user's ordinary rights.
        {true, true, "desktop"},
        // Elevated, but that way fails: ShellExecuteA as before.
        {true, false, "desktop direct"},
    };
    for (const Case& c : cases) {
        std::string calls;
        auto note = [&](const char* what) {
            calls += calls.empty() ? what : std::string(" ") + what;
        };
        OpenLinkByRoute(
            c.elevated,
            [&] {
                note("desktop");
                return c.desktopShellWorks;
            },
            [&] { note("direct"); });
        EXPECT_EQ(calls, c.expectedCalls)
            << "elevated=" << c.elevated << " desktopShellWorks=" << c.desktopShellWorks;
    }
}

} // namespace
