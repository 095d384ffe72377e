#pragma once

// A program run inside Wine's virtual desktop cannot hand its exit code to the shell: it
// leaves it in the file that HARNLO_RESULT_FILE names, when that is set.
void LeaveResultForDesktopRun(int result);
