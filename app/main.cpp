#include "app/RuveltaApp.h"

int main(int argc, char** argv) {
    return RuveltaApp::run(argc, argv);
}
