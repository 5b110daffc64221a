// The main function of every test program.
#include <gtest/gtest.h>

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
#ifdef _WIN32
    // The results are out. As max-sim does, the process ends here without detaching its
    // modules: under Wine a module whose runtime still holds a thread the system has ended (a
    // finished submission's worker) can wait for it forever at exit.
    std::fflush(nullptr);
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(result));
#endif
    return result;
}
