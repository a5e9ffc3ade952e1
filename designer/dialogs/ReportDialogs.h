// The report-wide dialogs as the designer window's commands: the variables editor, the
// report data dialog, the style editor, the report settings dialog and the New Items
// window go into the designer's dialog table, and the cross-tab editor and the report
// wizards into the report engine's registries (the cross-tab editor opens on a double
// click on a cross-tab, the wizards are what the New Items window lists).
#pragma once

// Idempotent; called when the designer registers.
void frxRegisterReportDialogs();
