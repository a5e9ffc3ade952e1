// The program's help: HTML pages in Chinese in the folder "help" beside the program, opened
// with the desktop's browser from the main window's "使用帮助" and the about window's link.
#pragma once

#include <string>

// The help's first page: the program's folder + "help/index.html".
std::string ClinicHelpFile();

// Opens File with the desktop's program. When it is missing or nothing can open it, a
// message box (caption "提示") says so and where the file is:
//   "找不到帮助文件：<file>"
//   "无法打开帮助文件：<file>\n请用浏览器打开该文件。"
// True when the desktop took it.
bool OpenHelpFile(const std::string& File);
