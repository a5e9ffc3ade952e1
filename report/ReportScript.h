// The report classes in scripts: what report scripts and expressions reach of the report's
// own objects beyond their published properties. Registered once into the script engine's
// global unit at program start, after the standard classes (which it registers first when
// they are not there yet); every item is marked with this module's AddedBy tag and goes
// again with frxUnregisterReportClasses.
//
// Order of registration: the constants (fr01cm ... crFormat), the enumerations and sets,
// the report classes in the order of the class table in ReportScript.cpp, the global
// function IIF; then the classes that units of the report engine add for scripts (the
// cross-tab views, the dialog controls, ...), one group each.
//
// Adding a report class for scripts: put a row into the class table of ReportScript.cpp at
// its place (class, ancestor name as scripts see it, and a function that adds its members,
// or nullptr when its published properties are all there is). A unit that brings a whole
// group of classes (dialog controls, dot-matrix objects) writes one function
// `void frxRegister...ScriptClasses(TfsScript& Unit)` next to its classes and adds one call
// to the group list (kGroups) in ReportScript.cpp; the helpers below serve its members.
#pragma once

class TfrxComponent;

// Idempotent; does nothing once the global unit is gone.
void frxRegisterReportClasses();
// Removes every item frxRegisterReportClasses added (shutdown, before FreeGlobalUnit).
void frxUnregisterReportClasses();
// The AddedBy tag of the items registered by frxRegisterReportClasses.
const void* frxReportClassesTag();

// Member callbacks use the helpers of the standard classes (script/stdclasses/StdInternal.h:
// fsstd::Method<T>, Getter<T>, Setter<T>, Indexed<T>, Arg<T>, ObjectValue).

// Raises EfrxError when the report of Obj is running (objects the layout engine is
// walking must not be cleared, reloaded or freed by a script meanwhile).
void frxCheckNotRunning(const TfrxComponent* Obj, const char* What);
