#include "app/forms/HelpFile.h"

std::string ClinicHelpFile() { return HelpPagePath("index.html"); }
