// With VELOTRIX_E2E_SERVER=xorg every session runs the X.Org server, and under xfwm4 the
// sessions with monitors do; only root may start it on a machine without a console of its own.
#include "e2e/x_session.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace vx::e2e {
namespace {

class RealServer : public ::testing::Environment {
    void SetUp() override {
        const char* wm = getenv("VELOTRIX_E2E_WM");
        const bool xfwm4 = wm && std::string(wm) == "xfwm4";
        if ((XSession::realServer() || xfwm4) && geteuid() != 0)
            GTEST_SKIP() << "the X.Org server runs only for root here: run the tests as root "
                            "for this run";
    }
};

[[maybe_unused]] const auto* const kRealServer =
    ::testing::AddGlobalTestEnvironment(new RealServer);

} // namespace
} // namespace vx::e2e
