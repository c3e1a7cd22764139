#include "fw/Framework.h"

#include <gtest/gtest.h>

// A handler's exception ends the run it happens in; each test starts a run of its own.
struct FreshRun : testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { fw::RuntimeInit(); }
};

// Starts the framework the way the program does, then runs the tests inside it.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshRun);
    // Listing the tests needs no native application (and no display).
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();

    fw::RuntimeInit();
    fw::RuntimePerformInitializers({});
    fw::RunFrameworkInitialization_([] { });
    const int status = RUN_ALL_TESTS();
    fw::RuntimePerformFinalizers();
    return status;
}
