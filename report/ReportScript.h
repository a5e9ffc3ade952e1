// The report classes in scripts: what report scripts and expressions reach of the report's
// own objects beyond their published properties. Registered once into the script engine's
// global unit (the report calls it when it is created); items are marked with this
// module's AddedBy tag and go with the global unit at shutdown.
//
// Registered here: TfrxComponent, TfrxReportComponent, TfrxPage, TfrxDataSet (with their
// published properties), TfrxVariables with its default indexed property
// Variables[Name], TfrxReport with Calc, GetDataset, LoadFromFile, SaveToFile and the
// read-only property Variables, and the engine and outline bases (published state).
// Further report classes and members are added in frxRegisterReportClasses itself, so
// that each class is registered once with all its members.
#pragma once

// Idempotent; does nothing once the global unit is gone.
void frxRegisterReportClasses();
// The AddedBy tag of the items registered by frxRegisterReportClasses.
const void* frxReportClassesTag();
