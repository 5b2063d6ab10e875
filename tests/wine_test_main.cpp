// The test programs' entry point under Wine: the exit code is also written to the file named by
// MILDA_EXIT_CODE_FILE, for the runner (cmake/wine-run.sh), in binary mode: the digits alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    const char* path = std::getenv("MILDA_EXIT_CODE_FILE");
    if (FILE* file = path ? std::fopen(path, "wb") : nullptr) {
        std::fprintf(file, "%d\n", result);
        std::fclose(file);
    }
    return result;
}
