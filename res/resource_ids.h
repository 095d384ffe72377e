// Identifiers of Harnlo's resources, shared by the resource script and the code.
#pragma once

#define IDI_HARNLO 1
// The same icon file as raw bytes, for the notification area.
#define IDR_TRAY_ICON 101
