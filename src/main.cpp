// Velotrix: full-screen test patterns for checking a display.
#include "app/velotrix_app.h"

int main(int argc, char** argv) {
    return vx::runVelotrix(argc, argv);
}
