// Report expressions compiled into script functions, once per distinct text.
#include "report/ExpressionCache.h"

#include "report/Aggregates.h"
#include "report/Resources.h"
#include "script/Script.h"

TfrxExpressionCache::TfrxExpressionCache(TfsScript* ParentScript) : FScript(std::make_unique<TfsScript>(nullptr)) {
    FScript->SetParent(ParentScript);
}

TfrxExpressionCache::~TfrxExpressionCache() = default;

void TfrxExpressionCache::Clear() {
    FFunctions.clear();
    FScript->Clear();
}

Variant TfrxExpressionCache::Calc(const std::string& Expression, std::string& ErrorText) {
    ErrorText.clear();
    auto found = FFunctions.find(Expression);
    if (found != FFunctions.end()) return FScript->CallFunction(found->second, Variant());

    // A compile keeps the functions compiled before it (a failed one takes back only its
    // own items), so every earlier expression stays callable.
    std::string name = "_f" + std::to_string(FFunctions.size());
    FScript->SetSyntaxType("PascalScript");
    // Aggregate calls inside the expression are read from the run's registered items.
    FScript->Lines()->SetText("function " + name + ": Variant; begin Result := " + frxAggregateCallsAsLookups(Expression) +
                              " end; begin end.");
    if (!FScript->Compile()) {
        ErrorText = frxResources().Get("clExprError") + " '" + Expression + "': " + FScript->ErrorMsg();
        return Variant::Null();
    }
    auto inserted = FFunctions.emplace(Expression, std::move(name)).first;
    return FScript->CallFunction(inserted->second, Variant());
}
