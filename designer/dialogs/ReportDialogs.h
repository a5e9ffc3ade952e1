// The report-wide dialogs as the designer window's commands: the variables editor, the
// report data dialog, the style editor, the report settings dialog and the New Items
// window go into the designer's dialog table, and the cross-tab editor and the report
// wizards into the report engine's registries (the cross-tab editor opens on a double
// click on a cross-tab, the wizards are what the New Items window lists).
#pragma once

class TStrings;

// Idempotent; called when the designer registers.
void frxRegisterReportDialogs();

// Where two or more lines of List (user names, each with its dataset as the line's object)
// read the same, each of those lines gets the window or module its dataset belongs to
// after the name: "frxDBDataset1 (收费项目)". The program's windows each name their own
// dataset alike, and identical lines cannot be told apart.
void frxQualifyDataSetNames(TStrings* List);
