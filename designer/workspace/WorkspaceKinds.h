// What kind of report object a component is, as the workspace and the clipboard ask it.
// Kinds the system does not build (dot-matrix objects, dialog controls) are told by class
// name, so that they are handled once they exist.
#pragma once

#include <cmath>
#include <string_view>

#include "platform/classes/Persistent.h"

class TfrxComponent;

namespace frxKind {
// The class or one of its ancestors has the name.
bool Is(const TfrxComponent* C, std::string_view ClassName);
bool ClassIs(TClass Cls, std::string_view ClassName);
bool IsBand(const TfrxComponent* C);
bool IsVerticalBand(const TfrxComponent* C);
bool IsHorizontalBand(const TfrxComponent* C);
bool IsDataBand(const TfrxComponent* C);
bool IsView(const TfrxComponent* C);
bool IsLine(const TfrxComponent* C);          // any line view
bool IsDiagonalLine(const TfrxComponent* C);  // a line view drawn from corner to corner
bool IsMemo(const TfrxComponent* C);
bool IsDialogComponent(const TfrxComponent* C);
bool IsDialogControl(const TfrxComponent* C);
bool IsDMPMemo(const TfrxComponent* C);
bool IsDMPLine(const TfrxComponent* C);
bool IsReportPage(const TfrxComponent* C);
bool IsDialogPage(const TfrxComponent* C);
bool IsDMPPage(const TfrxComponent* C);
bool IsPageOrReport(const TfrxComponent* C);
}  // namespace frxKind

// Rounds to 8 decimal places (positions and sizes after a drag).
inline double frxRound8(double Value) { return std::nearbyint(Value * 1e8) / 1e8; }
