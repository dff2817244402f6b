#include "app/velotrix_app.h"
#include "app/frm_main.h"
#include "host/runtime.h"

namespace vx {

int runVelotrix(int argc, char** argv) {
    return runProgram(argc, argv, [] { SharedForm<frmMain>::get().Load(); });
}

} // namespace vx
