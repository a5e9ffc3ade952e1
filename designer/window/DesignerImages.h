// The designer window's own tool-button pictures (grouping, the grid switches and the
// code page's script commands), which
// the report library's button images do not hold: appended to the shared button image
// list once per process.
#pragma once

enum class TfrxDesignerImage { Group, Ungroup, ShowGrid, AlignToGrid, SetToGrid, RunScript, StepScript, StopScript, Evaluate };

// The index of the picture in the shared button image list (appended on first use).
int frxDesignerImageIndex(TfrxDesignerImage Image);
