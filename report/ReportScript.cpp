// The report classes registered into the script engine's global unit.
#include "report/ReportScript.h"

#include "platform/rtl/Variant.h"
#include "report/DataSet.h"
#include "report/Report.h"
#include "report/Variables.h"
#include "script/ClassVariables.h"

namespace {

int gTag = 0;

Variant ObjectValue(TObject* Object) { return Variant::FromObject(Object ? Object->Handle() : NilHandle); }

void RegisterVariables(TfsScript* unit) {
    TfsClassVariable* cls = unit->AddClass(TfrxVariables::StaticClass(), "TCollection");
    if (!cls) return;
    cls->AddDefaultProperty("Variables", "String", "Variant",
                            [](TObject* Instance, TClass, const std::string& Name, TfsParams& Params) -> Variant {
                                auto* variables = static_cast<TfrxVariables*>(Instance);
                                const std::string key = VarToStr(Params[0]);
                                if (Name == "VARIABLES.GET") return variables->Variables(key);
                                if (Name == "VARIABLES.SET") variables->SetVariables(key, Params[1]);
                                return Variant();
                            });
}

void RegisterReport(TfsScript* unit) {
    TfsClassVariable* cls = unit->AddClass(TfrxReport::StaticClass(), "TfrxComponent");
    if (!cls) return;
    auto call = [](TObject* Instance, TClass, const std::string& Name, TfsParams& Params) -> Variant {
        auto* report = static_cast<TfrxReport*>(Instance);
        if (Name == "CALC") return report->Calc(VarToStr(Params[0]));
        if (Name == "GETDATASET") return ObjectValue(report->GetDataset(VarToStr(Params[0])));
        if (Name == "LOADFROMFILE") return Variant(report->LoadFromFile(VarToStr(Params[0])));
        if (Name == "SAVETOFILE") report->SaveToFile(VarToStr(Params[0]));
        return Variant();
    };
    cls->AddMethod("function Calc(const Expr: String): Variant", call);
    cls->AddMethod("function GetDataset(const Alias: String): TfrxDataSet", call);
    cls->AddMethod("function LoadFromFile(const FileName: String): Boolean", call);
    cls->AddMethod("procedure SaveToFile(const FileName: String)", call);
    cls->AddProperty("Variables", "TfrxVariables", [](TObject* Instance, TClass, const std::string&) {
        return ObjectValue(static_cast<TfrxReport*>(Instance)->Variables());
    });
}

}  // namespace

const void* frxReportClassesTag() { return &gTag; }

void frxRegisterReportClasses() {
    static bool registered = false;
    if (registered) return;
    TfsScript* unit = GlobalUnit();
    if (!unit) return;
    registered = true;
    const void* saved = unit->AddedBy();
    unit->SetAddedBy(&gTag);
    unit->AddClass(TfrxComponent::StaticClass(), "TComponent");
    unit->AddClass(TfrxReportComponent::StaticClass(), "TfrxComponent");
    unit->AddClass(TfrxDataSet::StaticClass(), "TComponent");
    unit->AddClass(TfrxPage::StaticClass(), "TfrxComponent");
    RegisterVariables(unit);
    RegisterReport(unit);
    unit->AddClass(TfrxCustomEngine::StaticClass(), "TPersistent");
    unit->AddClass(TfrxCustomOutline::StaticClass(), "TPersistent");
    unit->SetAddedBy(saved);
}
