// The program facing its own failures: an error no handler traps.
#include "e2e/x_session.h"
#include <gtest/gtest.h>

namespace vx::e2e {
namespace {

using namespace std::chrono_literals;

TEST(Robustness, AnUntrappedErrorShowsItsMessageAndEndsWithANonZeroCode) {
    XSession s(1024, 768);
    ASSERT_TRUE(s.startApp("VELOTRIX_TEST_UNTRAPPED_ERROR=6"));
    // The run-time error box is titled with the application title alone.
    std::optional<Window> box;
    ASSERT_TRUE(
        XSession::waitFor([&] { return (box = s.findWindow("Velotrix", true)).has_value(); }, 5s));
    s.keyDown("Return");
    s.keyUp("Return");
    const auto code = s.waitExit(5s);
    ASSERT_TRUE(code.has_value()) << "the program did not end after the message";
    EXPECT_NE(*code, 0);
}

} // namespace
} // namespace vx::e2e
