// The form resources of the designer's windows: each window's .dfm text beside its source,
// built into the library (the build generates the definition).
#pragma once

// Registers every form text of the library under the class its first line names; the
// registration runs once, however often this is called.
void RegisterDesignerFormResources();
