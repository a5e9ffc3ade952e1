// The clinic program's main block: one instance per desktop, the window system, every
// window created in its order (the main window first, then the data module whose
// connection opens while it loads, the login, the charging window and the rest), and the
// message loop until the program is ended. Each step is a function of its own so the
// tests run the real steps one by one.
#pragma once

// The whole main block; the process's exit code.
int ClinicMain(int argc, char** argv);

// Registers the classes the form resources name and the clinic's form resources (once).
void RegisterClinicClasses();

// Takes this desktop's instance mark. Without command-line parameters another running
// instance refuses the start: the message "该程序已经有一个在运行中！" (caption "运行")
// is shown and the result is false. Any parameter skips the test.
bool ClaimSingleInstance();
// Gives the mark back (the end of the program or of a test).
void ReleaseSingleInstance();

// The program's title: the caption of every message box that names none of its own (an
// error that reaches the exception boundary, a plain message).
inline constexpr const char* kClinicTitle = "岳梧门诊收费系统";

// Creates the windows; when one cannot be created (the clinic database cannot be opened,
// say) its error is shown and the result is false. Failures of the database that reach
// the exception boundary are shown in the clinic's own words from then on, every box
// without a caption of its own is captioned kClinicTitle, and a database that cannot be
// written is said at once (kReadOnlyDatabaseText).
bool CreateClinicWindows();

// The end of the program: the windows are freed (their reports and the reports' scripts
// with them), then what the program registered for scripts is taken out of the global
// script unit (the report classes, then the standard ones), then the global unit itself,
// then the rest the application owns and the window system.
void ShutDownClinic();

// The form resources built into the program (generated from the .dfm files).
void RegisterClinicFormResources();
