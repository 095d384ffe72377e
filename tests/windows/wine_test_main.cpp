// Entry point of the Windows test programs: COM is initialised for the thread, as Harnlo's
// own start-up does, before the tests run.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    int result = RUN_ALL_TESTS();
    OleUninitialize();
    // A program run inside Wine's virtual desktop cannot hand its exit code to the shell:
    // it leaves it in the file that HARNLO_RESULT_FILE names.
    if (const char* resultFile = std::getenv("HARNLO_RESULT_FILE")) {
        std::string path = std::string("Z:") + resultFile;
        for (char& c : path) {
            if (c == '/') {
                c = '\\';
            }
        }
        std::ofstream(path, std::ios::binary) << result << "\n";
    }
    return result;
}
