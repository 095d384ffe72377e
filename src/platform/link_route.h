// Which way a link is opened. An elevated Harnlo hands the link to the desktop's shell, so
// that the browser starts with the user's ordinary rights rather than with administrator
// rights; without elevation, or when that way fails, it opens the link itself.
#pragma once

template <typename ThroughDesktopShell, typename Directly>
void OpenLinkByRoute(bool elevated, ThroughDesktopShell&& openThroughDesktopShell,
                     Directly&& openDirectly) {
    if (elevated && openThroughDesktopShell()) {
        return;
    }
    openDirectly();
}
