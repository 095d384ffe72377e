// Entry point of the Windows test programs: COM is initialised for the thread, as Harnlo's
// own start-up does, before the tests run.
#include <windows.h>
#include <ole2.h>

#include "result_file.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    int result = RUN_ALL_TESTS();
    OleUninitialize();
    LeaveResultForDesktopRun(result);
    return result;
}
