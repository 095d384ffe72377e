#include "result_file.h"

#include "test_support.h"

#include <cstdlib>
#include <fstream>
#include <string>

void LeaveResultForDesktopRun(int result) {
    const char* resultFile = std::getenv("HARNLO_RESULT_FILE");
    if (resultFile == nullptr) {
        return;
    }
    std::ofstream(WinePathOf(resultFile), std::ios::binary) << result << "\n";
}
