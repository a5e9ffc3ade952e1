// The program's help: HTML pages in Chinese in the folder "help" beside the program, opened
// with the desktop's browser (OpenHelpFile, platform/ui/Shell.h) from the main window's
// "使用帮助" and the about window's link.
#pragma once

#include <string>

#include "platform/ui/Shell.h"

// The help's first page: the program's folder + "help/index.html".
std::string ClinicHelpFile();
