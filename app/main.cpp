#include "Startup.h"

int main(int argc, char** argv) {
    return RunWordloom(argc, argv);
}
