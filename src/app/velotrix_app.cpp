#include "app/velotrix_app.h"
#include "app/come_forward.h"
#include "app/command_line.h"
#include "app/desktop_notice.h"
#include "app/frm_main.h"
#include "host/runtime.h"
#include <cstdio>

namespace vx {

int runVelotrix(int argc, char** argv) {
    if (const auto answer = commandLineAnswer(argc, argv)) {
        std::fputs(answer->c_str(), stdout);
        return 0;
    }
    return runProgram(
        argc, argv,
        [] {
            SharedForm<frmMain>::get().Load();
            tellKeyScopeOnce();
        },
        comeForward);
}

} // namespace vx
