// The clinic program.
#include "app/forms/Startup.h"

int main(int argc, char** argv) { return ClinicMain(argc, argv); }
