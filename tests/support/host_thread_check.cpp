// Linked into every test program that meets the simulated host: the program fails when the
// plug-in called the host from another thread than the host's own.
#include <gtest/gtest.h>

#include "host/simulated_host.h"

namespace {

class HostThreadCheck : public ::testing::Environment {
public:
    void TearDown() override {
        for (const maxsim::HostCall& call : maxsim::OffThreadHostCalls()) {
            ADD_FAILURE() << call.name << " was called from a thread other than the host's";
        }
    }
};

[[maybe_unused]] ::testing::Environment* const g_check =
    ::testing::AddGlobalTestEnvironment(new HostThreadCheck);

}  // namespace
