// The program builder: intermediate document to statements, designators and expressions.
#include "script/ProgramBuilder.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "script/ClassVariables.h"
#include "script/XMLDocument.h"

#include <utility>

namespace {

bool Is(const TfsXMLItem* x, std::string_view name) { return x && SameText(x->Name(), name); }

std::string TextOf(const TfsXMLItem* x) { return x ? x->Prop("text") : std::string(); }

// The default value of a fresh variable of a type code.
Variant DefaultValue(uint8_t typ) {
    switch (typ) {
    case tcInteger:
    case tcClass: return Variant(0);
    case tcExtended: return Variant(0.0);
    case tcBoolean: return Variant(false);
    case tcChar:
    case tcString: return Variant(std::string());
    default: return Variant();
    }
}

// Thrown inside BuildDesignator when a Variant's compile-time value decides nothing: the
// designator is then bound when it first runs.
struct NeedLateBinding {};

}  // namespace

// One element of a designator while it is being resolved.
struct TfsProgramBuilder::Step {
    TfsCustomVariable* Ref = nullptr;
    std::unique_ptr<TfsCustomVariable> Owned;
    std::vector<std::unique_ptr<TfsExpression>> Args;
    std::vector<std::string> ArgPos;
    bool ArgsGiven = false;
    bool IsOle = false;
    std::string OleName;
    std::string Pos;
    uint8_t Typ() const { return Ref ? Ref->Typ : uint8_t(tcVariant); }
};

TfsProgramBuilder::TfsProgramBuilder(TfsScript& script, bool needDeclareVars, TfsXMLItem* root)
    : FScript(script), FProgram(&script), FRoot(root), FNeedDeclareVars(needDeclareVars) {
    if (root) {
        const int t = root->Find("types");
        if (t >= 0) FTypes = root->Items(t);
    }
}

TfsProgramBuilder::~TfsProgramBuilder() = default;

void TfsProgramBuilder::Error(const std::string& message) { throw EScriptError(message); }

void TfsProgramBuilder::Enter(const TfsXMLItem* x) {
    std::string pos = x->Prop("pos");
    if (!pos.empty()) FErrorPos = std::move(pos);
}

void TfsProgramBuilder::BuildProgram() {
    FWithList.clear();
    FUnitName.clear();
    try {
        if (FRoot) BuildProgramElement(FRoot, FScript.Program());
        FErrorPos.clear();
    } catch (const Exception& e) {
        FScript.SetError(e.Message(), FErrorPos, FUnitName);
    } catch (const std::exception& e) {
        FScript.SetError(e.what(), FErrorPos, FUnitName);
    }
}

// A program element: procedures and functions are declared first (so calls may come before
// their text), then every child is built as a statement.
void TfsProgramBuilder::BuildProgramElement(TfsXMLItem* x, TfsStatement* into) {
    PreDeclare(x);
    BuildChildren(x, into);
}

void TfsProgramBuilder::PreDeclare(TfsXMLItem* x) {
    for (int i = 0; i < x->Count(); ++i) {
        TfsXMLItem* c = x->Items(i);
        if (Is(c, "procedure") || Is(c, "function")) DeclareProc(c);
        else if (Is(c, "compoundstmt")) PreDeclare(c);
    }
}

void TfsProgramBuilder::BuildChildren(TfsXMLItem* x, TfsStatement* into, int from) {
    for (int i = from; i < x->Count(); ++i) BuildStatement(x->Items(i), into);
}

uint8_t TfsProgramBuilder::FindTypeByName(std::string& typeName) {
    typeName = TranslateTypeName(FTypes, typeName);
    const uint8_t typ = FProgram->TypeByName(typeName);
    if (typ == tcClass && !ClassForType(typeName)) Error(fsmsg::UnknownType + QuotedName(typeName));
    return typ;
}

TfsClassVariable* TfsProgramBuilder::ClassForType(const std::string& typeName) const {
    if (TfsClassVariable* c = FProgram->FindClass(typeName)) return c;
    // An object of a class the scripts do not know: its nearest registered ancestor.
    for (TClass k = GetClass(typeName); k; k = k->ClassParent())
        if (TfsClassVariable* c = FProgram->FindClass(k->ClassName())) return c;
    return nullptr;
}

TfsClassVariable* TfsProgramBuilder::ClassOfObject(const Variant& value) const {
    const TObject* obj = value.IsObject() ? TObject::TryFromHandle(value.ObjectValue()) : nullptr;
    if (!obj) return nullptr;
    for (TClass k = obj->ClassType(); k; k = k->ClassParent())
        if (TfsClassVariable* c = FProgram->FindClass(k->ClassName())) return c;
    return nullptr;
}

bool TfsProgramBuilder::Compatible(const TfsCustomVariable& target, const TfsCustomVariable& source) const {
    TfsScript* prog = FProgram;
    return AssignCompatible(target.TypeRec(), source.TypeRec(),
                            [prog](std::string_view a, std::string_view d) { return prog->ClassInherits(a, d); });
}

// `Memo1.Lines := 'a'#13#10'b'`: a text assigned to a published string list sets its lines.
bool TfsProgramBuilder::AssignsTextToStringList(const TfsDesignator& target, const TfsCustomVariable& source) const {
    const TfsCustomVariable* ref = target.LastRef();
    if (!ref || ref->Kind() != TfsItemKind::Helper) return false;
    const auto* helper = static_cast<const TfsCustomHelper*>(ref);
    if (helper->HelperKind() != TfsCustomHelper::hkProperty || !static_cast<const TfsPropertyHelper*>(helper)->IsStringList)
        return false;
    return source.Typ == tcString || source.Typ == tcChar;
}

void TfsProgramBuilder::CheckAssign(const TfsCustomVariable& target, const TfsCustomVariable& source) {
    if (!Compatible(target, source))
        Error(std::string(fsmsg::IncompatibleTypes) + ": " + QuotedName(target.GetFullTypeName()) + ", " +
              QuotedName(source.GetFullTypeName()));
}

TfsCustomVariable* TfsProgramBuilder::FindOrDeclare(const std::string& name) {
    if (TfsCustomVariable* item = FProgram->Find(name)) return item;
    if (FNeedDeclareVars) Error(fsmsg::Undeclared + QuotedName(name));
    auto* v = new TfsVariable(name, tcVariant, "Variant");
    FProgram->Add(v);
    return v;
}

template <class T>
std::unique_ptr<T> TfsProgramBuilder::NewStatement(TfsXMLItem* x) {
    const std::string pos = x->Prop("pos");
    auto s = std::make_unique<T>(FProgram, FUnitName, pos);
    if (!pos.empty()) FScript.AddCodeLine(FUnitName, pos);
    return s;
}

// --- Declarations --------------------------------------------------------------------------

void TfsProgramBuilder::DeclareProc(TfsXMLItem* x) {
    Enter(x);
    const bool isFunction = Is(x, "function");
    const int nameAt = x->Find("name");
    TfsXMLItem* nameItem = nameAt >= 0 ? x->Items(nameAt) : (x->Count() > 0 ? x->Items(0) : nullptr);
    if (!nameItem) Error(fsmsg::Undeclared + QuotedName(""));
    Enter(nameItem);
    const std::string name = TextOf(nameItem);
    if (FProgram->FindLocal(name)) Error(fsmsg::Redeclared + QuotedName(name));
    bool isFunc = isFunction;
    uint8_t typ = tcVariant;
    std::string typeName;
    if (isFunction) {
        const int t = x->Find("type");
        if (t >= 0) {
            Enter(x->Items(t));
            typeName = TextOf(x->Items(t));
            // "void" as written makes a procedure, also where the language's types map it.
            if (SameText(typeName, "void") || SameText(TranslateTypeName(FTypes, typeName), "void")) {
                isFunc = false;
                typeName.clear();
            } else {
                typ = FindTypeByName(typeName);
            }
        } else {
            // A function without a result type returns a Variant.
            typeName = "Variant";
        }
    }
    auto* proc = new TfsProcVariable(name, typ, typeName, FProgram, isFunc);
    proc->SourcePos = x->Prop("pos");
    FProgram->Add(proc);
    const int p = x->Find("parameters");
    if (p >= 0) BuildParameters(x->Items(p), proc);
}

void TfsProgramBuilder::BuildParameters(TfsXMLItem* x, TfsProcVariable* proc) {
    bool varNext = false;
    for (int i = 0; i < x->Count(); ++i) {
        TfsXMLItem* c = x->Items(i);
        if (Is(c, "varparams")) {
            varNext = true;
        } else if (Is(c, "var")) {
            DeclareVars(c, nullptr, proc, varNext);
            varNext = false;
        }
    }
}

// A var element: each ident declares a variable (or a parameter of paramsOf); the array, init
// and type children behind a name belong to it.
void TfsProgramBuilder::DeclareVars(TfsXMLItem* x, TfsStatement* into, TfsProcVariable* paramsOf, bool varParams) {
    Enter(x);
    const int typeAt = x->Find("type");
    const int firstIdent = x->Find("ident");
    const bool typeFirst = typeAt >= 0 && firstIdent >= 0 && typeAt < firstIdent;
    bool isVar = varParams;
    for (int i = 0; i < x->Count(); ++i) {
        TfsXMLItem* c = x->Items(i);
        if (Is(c, "varparam")) {
            isVar = true;
            continue;
        }
        if (!Is(c, "ident")) continue;
        const std::string name = TextOf(c);
        TfsXMLItem* arrayItem = nullptr;
        TfsXMLItem* initItem = nullptr;
        TfsXMLItem* typeItem = typeAt >= 0 ? x->Items(typeAt) : nullptr;
        for (int j = i + 1; j < x->Count(); ++j) {
            TfsXMLItem* d = x->Items(j);
            if (typeFirst && Is(d, "ident")) break;
            if (Is(d, "array") && !arrayItem) arrayItem = d;
            if (Is(d, "init") && !initItem) initItem = d;
        }
        Enter(c);
        TfsScript* scope = paramsOf ? paramsOf->Prog() : FProgram;
        if (scope->FindLocal(name)) Error(fsmsg::Redeclared + QuotedName(name));
        std::string typeName = typeItem ? TextOf(typeItem) : std::string("Variant");
        if (typeItem) Enter(typeItem);
        uint8_t typ = FindTypeByName(typeName);
        Variant value = DefaultValue(typ);
        int dims = 0;
        if (arrayItem) {
            Enter(arrayItem);
            std::vector<int32_t> bounds;
            for (int k = 0; k < arrayItem->Count(); ++k) {
                TfsXMLItem* dim = arrayItem->Items(k);
                if (!Is(dim, "dim")) continue;
                Enter(dim);
                std::vector<int32_t> b;
                for (int m = 0; m < dim->Count(); ++m)
                    if (Is(dim->Items(m), "expr")) b.push_back(BuildExpression(dim->Items(m))->GetValue().AsInteger());
                if (b.size() >= 2) {
                    bounds.push_back(b[0]);
                    bounds.push_back(b[1]);
                } else if (b.size() == 1) {
                    bounds.push_back(0);
                    bounds.push_back(b[0] - 1);
                }
            }
            if (bounds.empty()) bounds = {0, 0};
            dims = static_cast<int>(bounds.size() / 2);
            typ = tcArray;
            if (!paramsOf) value = VarArrayCreate(bounds, varVariant);
        }
        if (paramsOf) {
            auto* param = new TfsParamItem(name, typ, typeName, initItem != nullptr, isVar);
            if (initItem) {
                const int e = initItem->Find("expr");
                if (e >= 0) {
                    std::unique_ptr<TfsExpression> expr = BuildExpression(initItem->Items(e));
                    Enter(initItem);
                    CheckAssign(*param, *expr);
                    param->DefValue = expr->GetValue();
                }
            }
            paramsOf->AddParam(param, false);
            paramsOf->Prog()->Add(param);
            continue;
        }
        TfsVariable* var = (typ == tcString || typ == tcChar) ? new TfsStringVariable(name, typ, typeName)
                                                               : new TfsVariable(name, typ, typeName);
        var->Value = value;
        FProgram->Add(var);
        if (arrayItem) {
            auto* helper = new TfsArrayHelper(std::string(), dims, dims);
            FProgram->Add(helper);
            var->RefItem = helper;
        }
        if (initItem && into) {
            const int e = initItem->Find("expr");
            if (e < 0) continue;
            std::unique_ptr<TfsExpression> expr = BuildExpression(initItem->Items(e));
            Enter(initItem);
            CheckAssign(*var, *expr);
            auto designator = std::make_unique<TfsVariableDesignator>(FProgram, var);
            std::unique_ptr<TfsAssignmentStmt> stmt;
            switch (expr->Optimize(var)) {
            case '+': stmt = NewStatement<TfsAssignPlusStmt>(initItem); break;
            case '-': stmt = NewStatement<TfsAssignMinusStmt>(initItem); break;
            case '*': stmt = NewStatement<TfsAssignMulStmt>(initItem); break;
            case '/': stmt = NewStatement<TfsAssignDivStmt>(initItem); break;
            default: stmt = NewStatement<TfsAssignmentStmt>(initItem); break;
            }
            stmt->SetTarget(std::move(designator), std::move(expr));
            into->Add(std::move(stmt));
        }
    }
}

void TfsProgramBuilder::BuildConst(TfsXMLItem* x) {
    Enter(x);
    TfsXMLItem* ident = x->Count() > 0 ? x->Items(0) : nullptr;
    const int e = x->Find("expr");
    if (!ident || e < 0) return;
    Enter(ident);
    const std::string name = TextOf(ident);
    if (FProgram->FindLocal(name)) Error(fsmsg::Redeclared + QuotedName(name));
    std::unique_ptr<TfsExpression> expr = BuildExpression(x->Items(e));
    auto* c = new TfsVariable(name, expr->Typ, expr->TypeName);
    c->Value = expr->GetValue();
    c->IsReadOnly = true;
    FProgram->Add(c);
}

void TfsProgramBuilder::BuildProcBody(TfsXMLItem* x) {
    const int nameAt = x->Find("name");
    TfsXMLItem* nameItem = nameAt >= 0 ? x->Items(nameAt) : (x->Count() > 0 ? x->Items(0) : nullptr);
    TfsCustomVariable* item = FProgram->FindLocal(TextOf(nameItem));
    // A procedure inside a statement (a Sub in an If block) was not seen by the pre-declaration
    // pass: it is declared where it stands, not dropped.
    if (!item) {
        DeclareProc(x);
        item = FProgram->FindLocal(TextOf(nameItem));
    }
    if (!item || item->Kind() != TfsItemKind::Proc) return;
    auto* proc = static_cast<TfsProcVariable*>(item);
    TfsScript* saved = FProgram;
    FProgram = proc->Prog();
    try {
        BuildProgramElement(x, proc->Prog()->Program());
    } catch (...) {
        FProgram = saved;
        throw;
    }
    FProgram = saved;
}

// --- Statements ----------------------------------------------------------------------------

void TfsProgramBuilder::BuildStatement(TfsXMLItem* x, TfsStatement* into) {
    const std::string& n = x->Name();
    if (SameText(n, "assignstmt")) BuildAssign(x, into);
    else if (SameText(n, "callstmt")) BuildCall(x, into, TMode::Normal);
    else if (SameText(n, "ifstmt")) BuildIf(x, into);
    else if (SameText(n, "casestmt")) BuildCase(x, into);
    else if (SameText(n, "forstmt")) BuildFor(x, into);
    else if (SameText(n, "vbforstmt")) BuildVbFor(x, into);
    else if (SameText(n, "cppforstmt")) BuildCppFor(x, into);
    else if (SameText(n, "whilestmt")) BuildWhile(x, into);
    else if (SameText(n, "repeatstmt")) BuildRepeat(x, into);
    else if (SameText(n, "trystmt")) BuildTry(x, into);
    else if (SameText(n, "break")) into->Add(NewStatement<TfsBreakStmt>(x));
    else if (SameText(n, "continue")) into->Add(NewStatement<TfsContinueStmt>(x));
    else if (SameText(n, "exit")) into->Add(NewStatement<TfsExitStmt>(x));
    else if (SameText(n, "return")) BuildReturn(x, into);
    else if (SameText(n, "with")) BuildWith(x, into);
    else if (SameText(n, "delete")) BuildCall(x, into, TMode::Delete);
    else if (SameText(n, "compoundstmt")) BuildChildren(x, into);
    else if (SameText(n, "uses")) BuildUses(x, into);
    else if (SameText(n, "var")) DeclareVars(x, into, nullptr, false);
    else if (SameText(n, "const")) BuildConst(x);
    else if (SameText(n, "procedure") || SameText(n, "function")) BuildProcBody(x);
    // Anything else (empty statements, the copied types, headers) builds nothing.
}

void TfsProgramBuilder::BuildAssign(TfsXMLItem* x, TfsStatement* into) {
    Enter(x);
    if (x->Count() < 2) return;
    std::unique_ptr<TfsDesignator> target = BuildDesignator(x->Items(0));
    char op = 0;
    const int m = x->Find("modificator");
    if (m >= 0) {
        const std::string text = TextOf(x->Items(m));
        op = text.empty() ? 0 : text[0];
    }
    int e = -1;
    for (int i = x->Count() - 1; i > 0 && e < 0; --i)
        if (Is(x->Items(i), "expr")) e = i;
    if (e < 0) return;
    std::unique_ptr<TfsExpression> expr = BuildExpression(x->Items(e));
    Enter(x);
    if (target->IsReadOnly) Error(fsmsg::LeftSideReadOnly);
    if (!AssignsTextToStringList(*target, *expr)) CheckAssign(*target, *expr);
    if (!op && target->DesignatorKind() == TfsDesignator::dkVariable)
        op = expr->Optimize(static_cast<TfsVariableDesignator*>(target.get())->Variable());
    std::unique_ptr<TfsAssignmentStmt> stmt;
    switch (op) {
    case '+': stmt = NewStatement<TfsAssignPlusStmt>(x); break;
    case '-': stmt = NewStatement<TfsAssignMinusStmt>(x); break;
    case '*': stmt = NewStatement<TfsAssignMulStmt>(x); break;
    case '/': stmt = NewStatement<TfsAssignDivStmt>(x); break;
    default: stmt = NewStatement<TfsAssignmentStmt>(x); break;
    }
    stmt->SetTarget(std::move(target), std::move(expr));
    into->Add(std::move(stmt));
}

void TfsProgramBuilder::BuildCall(TfsXMLItem* x, TfsStatement* into, TMode mode) {
    Enter(x);
    const int d = x->Find("dsgn");
    if (d < 0) return;
    std::unique_ptr<TfsDesignator> designator = BuildDesignator(x->Items(d), mode);
    const int m = x->Find("modificator");
    std::unique_ptr<TfsCallStmt> stmt;
    // v++ and v-- on a plain variable count it in place.
    TfsCustomVariable* plain = nullptr;
    if (m >= 0 && designator->DesignatorKind() == TfsDesignator::dkVariable) {
        TfsCustomVariable* v = static_cast<TfsVariableDesignator*>(designator.get())->Variable();
        if ((v->Kind() == TfsItemKind::Variable || v->Kind() == TfsItemKind::Param) && !v->IsReadOnly) plain = v;
    }
    if (plain) {
        auto inc = NewStatement<TfsIncrementStmt>(x);
        inc->Variable = plain;
        inc->Down = TextOf(x->Items(m)) == "-";
        stmt = std::move(inc);
    } else {
        stmt = NewStatement<TfsCallStmt>(x);
    }
    stmt->Designator = std::move(designator);
    if (m >= 0) {
        stmt->Modificator = TextOf(x->Items(m));
        Enter(x);
        if (stmt->Designator->IsReadOnly) Error(fsmsg::LeftSideReadOnly);
    }
    stmt->Designator->NeedResult = false;
    into->Add(std::move(stmt));
}

void TfsProgramBuilder::BuildIf(TfsXMLItem* x, TfsStatement* into) {
    Enter(x);
    auto stmt = NewStatement<TfsIfStmt>(x);
    if (x->Count() < 1) return;
    stmt->Condition = BuildExpression(x->Items(0));
    for (int i = 1; i < x->Count(); ++i) {
        TfsXMLItem* c = x->Items(i);
        if (Is(c, "thenstmt")) BuildChildren(c, stmt.get());
        else if (Is(c, "elsestmt")) BuildChildren(c, stmt->ElseStmt.get());
    }
    into->Add(std::move(stmt));
}

void TfsProgramBuilder::BuildCase(TfsXMLItem* x, TfsStatement* into) {
    Enter(x);
    if (x->Count() < 1) return;
    auto stmt = NewStatement<TfsCaseStmt>(x);
    stmt->Condition = BuildExpression(x->Items(0));
    for (int i = 1; i < x->Count(); ++i) {
        TfsXMLItem* c = x->Items(i);
        if (!Is(c, "caseselector")) {
            if (i == x->Count() - 1) BuildStatement(c, stmt->ElseStmt.get());
            continue;
        }
        Enter(c);
        auto selector = std::make_unique<TfsCaseSelector>(FProgram, FUnitName, c->Prop("pos"));
        const int s = c->Find("set");
        if (s < 0) continue;
        selector->SetExpression = BuildSet(c->Items(s));
        // A branch without a statement ("1: ;") still owns its labels.
        for (int k = s + 1; k < c->Count(); ++k) BuildStatement(c->Items(k), selector.get());
        stmt->Add(std::move(selector));
    }
    into->Add(std::move(stmt));
}

TfsCustomVariable* TfsProgramBuilder::LoopVariable(TfsXMLItem* ident) {
    Enter(ident);
    TfsCustomVariable* v = FindOrDeclare(TextOf(ident));
    if (!v->IsPlainVariable() || (v->Typ != tcInteger && v->Typ != tcExtended && v->Typ != tcVariant))
        Error(fsmsg::ForLoopVariable);
    if (v->IsReadOnly) Error(fsmsg::LeftSideReadOnly);
    return v;
}

void TfsProgramBuilder::BuildFor(TfsXMLItem* x, TfsStatement* into) {
    Enter(x);
    if (x->Count() < 3) return;
    auto stmt = NewStatement<TfsForStmt>(x);
    stmt->Variable = LoopVariable(x->Items(0));
    int i = 1;
    stmt->BeginValue = BuildExpression(x->Items(i++));
    Enter(x->Items(1));
    CheckAssign(*stmt->Variable, *stmt->BeginValue);
    if (i < x->Count() && Is(x->Items(i), "downto")) {
        stmt->Down = true;
        ++i;
    }
    if (i >= x->Count()) return;
    TfsXMLItem* endItem = x->Items(i++);
    stmt->EndValue = BuildExpression(endItem);
    Enter(endItem);
    CheckAssign(*stmt->Variable, *stmt->EndValue);
    BuildChildren(x, stmt.get(), i);
    stmt->Finish();
    into->Add(std::move(stmt));
}

void TfsProgramBuilder::BuildVbFor(TfsXMLItem* x, TfsStatement* into) {
    Enter(x);
    if (x->Count() < 3) return;
    auto stmt = NewStatement<TfsVbForStmt>(x);
    stmt->Variable = LoopVariable(x->Items(0));
    std::vector<TfsXMLItem*> exprs;
    int i = 1;
    while (i < x->Count() && Is(x->Items(i), "expr") && exprs.size() < 3) exprs.push_back(x->Items(i++));
    if (exprs.size() < 2) return;
    stmt->BeginValue = BuildExpression(exprs[0]);
    Enter(exprs[0]);
    CheckAssign(*stmt->Variable, *stmt->BeginValue);
    stmt->EndValue = BuildExpression(exprs[1]);
    Enter(exprs[1]);
    CheckAssign(*stmt->Variable, *stmt->EndValue);
    if (exprs.size() == 3) stmt->Step = BuildExpression(exprs[2]);
    BuildChildren(x, stmt.get(), i);
    into->Add(std::move(stmt));
}

// for (init; condition; step) body: the body is the last child and the step the one before
// it, so any number of initialisers may come first.
void TfsProgramBuilder::BuildCppFor(TfsXMLItem* x, TfsStatement* into) {
    Enter(x);
    const int n = x->Count();
    if (n < 1) return;
    auto stmt = NewStatement<TfsCppForStmt>(x);
    int cond = -1;
    for (int i = 0; i < n - 1; ++i)
        if (Is(x->Items(i), "expr")) cond = i;
    const int stepAt = cond >= 0 ? cond + 1 : (n >= 3 ? n - 2 : -1);
    const int initEnd = cond >= 0 ? cond : (stepAt >= 0 ? stepAt : n - 1);
    for (int i = 0; i < initEnd; ++i) BuildStatement(x->Items(i), stmt->FirstStmt.get());
    if (cond >= 0) stmt->Expression = BuildExpression(x->Items(cond));
    for (int i = stepAt; i >= 0 && i < n - 1; ++i) BuildStatement(x->Items(i), stmt->SecondStmt.get());
    if (n >= 2 || cond < 0) BuildStatement(x->Items(n - 1), stmt.get());
    stmt->FindCounter();
    into->Add(std::move(stmt));
}

void TfsProgramBuilder::BuildWhile(TfsXMLItem* x, TfsStatement* into) {
    Enter(x);
    if (x->Count() < 1) return;
    auto stmt = NewStatement<TfsWhileStmt>(x);
    stmt->Condition = BuildExpression(x->Items(0));
    BuildChildren(x, stmt.get(), 1);
    into->Add(std::move(stmt));
}

void TfsProgramBuilder::BuildRepeat(TfsXMLItem* x, TfsStatement* into) {
    Enter(x);
    int last = x->Count() - 1;
    if (last < 0) return;
    auto stmt = NewStatement<TfsRepeatStmt>(x);
    if (Is(x->Items(last), "inverse")) {
        stmt->InverseCondition = true;
        --last;
    }
    if (last < 0) return;
    for (int i = 0; i < last; ++i) BuildStatement(x->Items(i), stmt.get());
    stmt->Condition = BuildExpression(x->Items(last));
    into->Add(std::move(stmt));
}

void TfsProgramBuilder::BuildTry(TfsXMLItem* x, TfsStatement* into) {
    Enter(x);
    auto stmt = NewStatement<TfsTryStmt>(x);
    for (int i = 0; i < x->Count(); ++i) {
        TfsXMLItem* c = x->Items(i);
        if (Is(c, "exceptstmt")) {
            stmt->IsExcept = true;
            BuildChildren(c, stmt->ExceptStmt.get());
        } else if (Is(c, "finallystmt")) {
            BuildChildren(c, stmt->ExceptStmt.get());
        } else {
            BuildStatement(c, stmt.get());
        }
    }
    into->Add(std::move(stmt));
}

void TfsProgramBuilder::BuildReturn(TfsXMLItem* x, TfsStatement* into) {
    Enter(x);
    const int e = x->Find("expr");
    if (e >= 0) {
        TfsCustomVariable* result = FindOrDeclare("Result");
        std::unique_ptr<TfsExpression> expr = BuildExpression(x->Items(e));
        Enter(x);
        if (result->IsReadOnly || !result->IsPlainVariable()) Error(fsmsg::LeftSideReadOnly);
        CheckAssign(*result, *expr);
        auto stmt = NewStatement<TfsReturnStmt>(x);
        stmt->SetTarget(std::make_unique<TfsVariableDesignator>(FProgram, result), std::move(expr));
        into->Add(std::move(stmt));
        return;
    }
    into->Add(NewStatement<TfsExitStmt>(x));
}

// with d1, d2 do body: each designator's value goes into a hidden variable named by the
// smallest free number; names in the body are looked up as members of those first.
void TfsProgramBuilder::BuildWith(TfsXMLItem* x, TfsStatement* into) {
    Enter(x);
    const size_t saved = FWithList.size();
    for (int i = 0; i + 1 < x->Count(); ++i) {
        TfsXMLItem* c = x->Items(i);
        if (!Is(c, "dsgn")) continue;
        std::unique_ptr<TfsDesignator> d = BuildDesignator(c);
        Enter(c);
        if (d->Typ != tcClass && d->Typ != tcVariant) Error(fsmsg::TypeRequired);
        std::string name;
        for (int k = 0;; ++k) {
            name = IntToStr(k);
            bool used = FProgram->FindLocal(name) != nullptr;
            for (const WithEntry& w : FWithList) used = used || w.Name == name;
            if (!used) break;
        }
        auto* var = new TfsVariable(name, d->Typ, d->TypeName);
        FProgram->Add(var);
        auto stmt = NewStatement<TfsWithStmt>(x);
        stmt->Designator = std::move(d);
        stmt->Variable = var;
        into->Add(std::move(stmt));
        FWithList.push_back({name, var});
    }
    try {
        if (x->Count() > 0) BuildStatement(x->Items(x->Count() - 1), into);
    } catch (...) {
        FWithList.resize(saved);
        throw;
    }
    FWithList.resize(saved);
}

void TfsProgramBuilder::BuildUses(TfsXMLItem* x, TfsStatement* into) {
    const std::string saved = FUnitName;
    TfsXMLItem* savedTypes = FTypes;
    FUnitName = x->Prop("unit");
    std::string ilText;
    if (FScript.OnGetILUnit) FScript.OnGetILUnit(&FScript, FUnitName, ilText);
    TfsXMLDocument doc;
    std::vector<TfsXMLItem*> programs;
    if (!ilText.empty()) {
        doc.LoadFromString(ilText);
        programs.push_back(doc.Root());
    } else {
        for (int i = 0; i < x->Count(); ++i) programs.push_back(x->Items(i));
    }
    for (TfsXMLItem* p : programs) {
        const int t = p->Find("types");
        FTypes = t >= 0 ? p->Items(t) : savedTypes;
        BuildProgramElement(p, into);
    }
    FTypes = savedTypes;
    FUnitName = saved;
}

// --- Expressions ---------------------------------------------------------------------------

std::unique_ptr<TfsExpression> TfsProgramBuilder::BuildExpression(TfsXMLItem* x) {
    Enter(x);
    auto e = std::make_unique<TfsExpression>(FProgram);
    e->SetSourcePos(x->Prop("pos"));
    AddExprItems(*e, x);
    const std::string errorPos = e->Finalize();
    if (!errorPos.empty()) {
        FErrorPos = errorPos;
        Error(fsmsg::IncompatibleTypes);
    }
    return e;
}

void TfsProgramBuilder::AddExprItems(TfsExpression& e, TfsXMLItem* x) {
    for (int i = 0; i < x->Count(); ++i) {
        TfsXMLItem* c = x->Items(i);
        e.SetSourcePos(c->Prop("pos"));
        if (Is(c, "op")) {
            e.AddOperator(TextOf(c));
        } else if (Is(c, "number") || Is(c, "string")) {
            Enter(c);
            e.AddConst(ParseValue(TextOf(c)));
        } else if (Is(c, "dsgn")) {
            e.AddDesignator(BuildDesignator(c));
        } else if (Is(c, "set")) {
            e.AddSet(BuildSet(c));
        } else if (Is(c, "new")) {
            const int d = c->Find("dsgn");
            if (d >= 0) e.AddDesignator(BuildDesignator(c->Items(d), TMode::New));
        } else if (Is(c, "expr")) {
            AddExprItems(e, c);
        }
    }
}

std::unique_ptr<TfsSetExpression> TfsProgramBuilder::BuildSet(TfsXMLItem* x) {
    Enter(x);
    auto set = std::make_unique<TfsSetExpression>();
    for (int i = 0; i < x->Count(); ++i) {
        TfsXMLItem* c = x->Items(i);
        if (Is(c, "expr")) set->AddItem(BuildExpression(c));
        else if (Is(c, "range")) set->AddItem(nullptr);
    }
    return set;
}

std::unique_ptr<TfsExpression> TfsProgramBuilder::ConstExpression(const Variant& value) {
    auto e = std::make_unique<TfsExpression>(FProgram);
    e->AddConst(value);
    e->Finalize();
    return e;
}

// --- Designators ---------------------------------------------------------------------------

namespace {
// True when the with object's value has a member of that name: a registered class member of
// an object, or a name an automation object knows.
bool HasMember(TfsScript* prog, const Variant& value, const std::string& name) {
    if (value.IsDispatch()) {
        int32_t id;
        return value.DispatchValue()->GetIDsOfNames(name, id) == S_OK;
    }
    const TObject* obj = value.IsObject() ? TObject::TryFromHandle(value.ObjectValue()) : nullptr;
    for (TClass k = obj ? obj->ClassType() : nullptr; k; k = k->ClassParent())
        if (TfsClassVariable* c = prog->FindClass(k->ClassName())) return c->Find(name) != nullptr;
    return false;
}
}  // namespace

// A copy of the element, bound when it first runs (inside a with over a Variant, to a member
// of the with object's value when it has one).
std::unique_ptr<TfsDesignator> TfsProgramBuilder::LateDesignator(TfsXMLItem* x) {
    auto late = std::make_unique<TfsLateSource>();
    late->Element = std::make_unique<TfsXMLItem>();
    late->Element->Assign(x);
    for (const WithEntry& w : FWithList) late->WithNames.push_back(w.Name);
    if (FTypes) {
        late->Types = std::make_unique<TfsXMLItem>();
        late->Types->Assign(FTypes);
    }
    late->UnitName = FUnitName;
    late->NeedDeclareVars = FNeedDeclareVars;
    auto d = std::make_unique<TfsDesignator>(FProgram);
    d->Typ = tcVariant;
    d->IsReadOnly = false;
    d->SetLateSource(std::move(late));
    return d;
}

// Argument counts and types of a step; missing trailing arguments take the defaults.
void TfsProgramBuilder::CheckArgs(Step& step) {
    if (step.IsOle) {
        step.Owned = std::make_unique<TfsOLEHelper>(step.OleName, static_cast<int>(step.Args.size()));
        step.Ref = step.Owned.get();
        return;
    }
    TfsCustomVariable* ref = step.Ref;
    const int count = ref->Count();
    const int given = static_cast<int>(step.Args.size());
    if (count == 0 && given == 0) return;
    if (!step.Pos.empty()) FErrorPos = step.Pos;
    if (given < ref->RequiredCount()) Error(fsmsg::NotEnoughParams);
    if (given > count) Error(fsmsg::TooManyParams);
    for (int i = 0; i < given; ++i) {
        TfsParamItem* p = ref->Params(i);
        if (!step.ArgPos[static_cast<size_t>(i)].empty()) FErrorPos = step.ArgPos[static_cast<size_t>(i)];
        CheckAssign(*p, *step.Args[static_cast<size_t>(i)]);
        if (p->IsVarParam && step.Args[static_cast<size_t>(i)]->IsReadOnly) Error(fsmsg::LeftSideReadOnly);
    }
    for (int i = given; i < count; ++i) step.Args.push_back(ConstExpression(ref->Params(i)->DefValue));
}

void TfsProgramBuilder::ApplyIndex(std::vector<Step>& steps, std::vector<std::unique_ptr<TfsExpression>> index,
                                   std::vector<std::string> positions, TfsXMLItem* x) {
    Step& last = steps.back();
    auto take = [&](Step& s) {
        for (size_t k = 0; k < index.size(); ++k) {
            s.ArgPos.push_back(positions[k]);
            s.Args.push_back(std::move(index[k]));
        }
        s.ArgsGiven = true;
    };
    if (last.IsOle) {
        take(last);
        return;
    }
    TfsCustomVariable* ref = last.Ref;
    if (ref->Kind() == TfsItemKind::Helper && static_cast<TfsCustomHelper*>(ref)->HelperKind() == TfsCustomHelper::hkMethod &&
        static_cast<TfsMethodHelper*>(ref)->IndexMethod && !last.ArgsGiven) {
        take(last);
        return;
    }
    CheckArgs(last);
    Step next;
    next.Pos = x->Prop("pos");
    switch (last.Typ()) {
    case tcVariant: {
        const Variant v = ref->IsPlainVariable() ? ref->Value : Variant::Null();
        if (v.IsArray() || (FLateMode && !v.IsString() && !v.IsObject())) next.Ref = FProgram->Find("__ArrayHelper");
        else if (v.IsString()) next.Ref = FProgram->Find("__StringHelper");
        else if (TfsClassVariable* cls = ClassOfObject(v)) {
            TfsMethodHelper* def = nullptr;
            for (TfsClassVariable* c = cls; c && !def; c = c->Ancestor().empty() ? nullptr : FProgram->FindClass(c->Ancestor()))
                def = c->DefProperty();
            if (!def) Error(Format(fsmsg::NoDefaultProperty, {cls->Name}));
            next.Ref = def;
        } else {
            throw NeedLateBinding();
        }
        break;
    }
    case tcChar:
    case tcString: next.Ref = FProgram->Find("__StringHelper"); break;
    case tcClass: {
        TfsClassVariable* cls = ClassForType(ref->TypeName);
        TfsMethodHelper* def = nullptr;
        for (TfsClassVariable* c = cls; c && !def; c = c->Ancestor().empty() ? nullptr : FProgram->FindClass(c->Ancestor()))
            def = c->DefProperty();
        if (!def) Error(Format(fsmsg::NoDefaultProperty, {cls ? cls->Name : ref->TypeName}));
        next.Ref = def;
        break;
    }
    case tcArray:
        next.Ref = ref->RefItem ? ref->RefItem : FProgram->Find("__ArrayHelper");
        break;
    default: Error(fsmsg::ArrayRequired);
    }
    if (!next.Ref) Error(fsmsg::ArrayRequired);
    take(next);
    steps.push_back(std::move(next));
}

std::unique_ptr<TfsDesignator> TfsProgramBuilder::BuildDesignator(TfsXMLItem* x, TMode mode) {
    Enter(x);
    const int n = x->Count();
    int i = 0;
    // Address-of: exactly one name, which becomes the designator's text.
    if (n > 0 && Is(x->Items(0), "addr")) {
        if (n != 2 || !Is(x->Items(1), "node")) Error(fsmsg::VariableRequired);
        auto* text = new TfsStringVariable(std::string(), tcString, "String");
        text->Value = Variant(TextOf(x->Items(1)));
        text->IsReadOnly = true;
        auto d = std::make_unique<TfsVariableDesignator>(FProgram, text);
        d->FOwned.reset(text);
        return d;
    }
    if (n == 0 || !Is(x->Items(0), "node")) Error(fsmsg::Undeclared + QuotedName(""));
    TfsXMLItem* first = x->Items(i++);
    Enter(first);
    const std::string firstName = TextOf(first);

    std::vector<Step> steps;
    // The with objects first, innermost first. A with over a Variant decides when it runs:
    // the name is the with object's member when its value has one.
    const bool skipWith = std::exchange(FSkipWithOnce, false);
    for (auto w = FWithList.rbegin(); w != FWithList.rend() && steps.empty() && !skipWith; ++w) {
        if (w->Variable->Typ == tcVariant) {
            if (!FLateMode) return LateDesignator(x);
            if (!HasMember(FProgram, w->Variable->Value, firstName)) continue;
            TfsXMLItem prefixed;
            prefixed.Assign(x);
            auto* node = new TfsXMLItem();
            node->SetName("node");
            node->SetText("text=\"" + StrToXML(w->Name) + "\" pos=\"" + first->Prop("pos") + "\"");
            prefixed.InsertItem(0, node);
            FSkipWithOnce = true;
            return BuildDesignator(&prefixed, mode);
        }
        TfsClassVariable* cls = ClassForType(w->Variable->TypeName);
        TfsCustomHelper* member = cls ? cls->Find(firstName) : nullptr;
        if (!member) continue;
        Step with;
        with.Ref = w->Variable;
        steps.push_back(std::move(with));
        Step m;
        m.Ref = member;
        m.Pos = first->Prop("pos");
        steps.push_back(std::move(m));
    }
    if (steps.empty()) {
        Step s;
        s.Ref = FindOrDeclare(firstName);
        s.Pos = first->Prop("pos");
        steps.push_back(std::move(s));
    }
    if (mode == TMode::New) {
        if (steps.back().Ref->Kind() != TfsItemKind::Class) Error(fsmsg::TypeRequired);
        CheckArgs(steps.back());
        TfsCustomHelper* create = static_cast<TfsClassVariable*>(steps.back().Ref)->Find("Create");
        if (!create) Error(fsmsg::Undeclared + QuotedName("Create"));
        Step c;
        c.Ref = create;
        steps.push_back(std::move(c));
    }

    try {
        while (i < n) {
            TfsXMLItem* c = x->Items(i);
            if (Is(c, "expr")) {
                Step& last = steps.back();
                while (i < n && Is(x->Items(i), "expr")) {
                    last.ArgPos.push_back(x->Items(i)->Prop("pos"));
                    last.Args.push_back(BuildExpression(x->Items(i)));
                    ++i;
                }
                last.ArgsGiven = true;
                continue;
            }
            ++i;
            if (!Is(c, "node")) continue;
            Enter(c);
            const std::string text = TextOf(c);
            if (text == "[") {
                std::vector<std::unique_ptr<TfsExpression>> index;
                std::vector<std::string> positions;
                while (i < n && Is(x->Items(i), "expr")) {
                    positions.push_back(x->Items(i)->Prop("pos"));
                    index.push_back(BuildExpression(x->Items(i)));
                    ++i;
                }
                Enter(c);
                ApplyIndex(steps, std::move(index), std::move(positions), c);
                continue;
            }
            Step& last = steps.back();
            TfsCustomVariable* ref = last.Ref;
            Step next;
            next.Pos = c->Prop("pos");
            if (!last.IsOle && ref->Kind() == TfsItemKind::Helper &&
                static_cast<TfsCustomHelper*>(ref)->HelperKind() == TfsCustomHelper::hkMethod &&
                static_cast<TfsMethodHelper*>(ref)->IndexMethod && !last.ArgsGiven)
                Error(fsmsg::IndexRequired);
            if (last.IsOle) {
                next.IsOle = true;
                next.OleName = text;
            } else {
                switch (last.Typ()) {
                case tcVariant: {
                    const Variant v = ref->IsPlainVariable() ? ref->Value : Variant::Null();
                    if (v.IsDispatch() || (FLateMode && !v.IsArray() && !v.IsString() && !ClassOfObject(v))) {
                        next.IsOle = true;
                        next.OleName = text;
                    } else if (v.IsArray()) {
                        Error(fsmsg::IndexRequired);
                    } else if (v.IsString()) {
                        Error(fsmsg::StringHasNoMembers);
                    } else if (TfsClassVariable* cls = ClassOfObject(v)) {
                        next.Ref = cls->Find(text);
                        if (!next.Ref) Error(fsmsg::Undeclared + QuotedName(text));
                    } else {
                        throw NeedLateBinding();
                    }
                    break;
                }
                case tcChar:
                case tcString: Error(fsmsg::StringHasNoMembers);
                case tcClass: {
                    TfsClassVariable* cls = ClassForType(ref->TypeName);
                    next.Ref = cls ? cls->Find(text) : nullptr;
                    if (!next.Ref) Error(fsmsg::Undeclared + QuotedName(text));
                    break;
                }
                default: Error(fsmsg::Undeclared + QuotedName(text));
                }
            }
            CheckArgs(last);
            steps.push_back(std::move(next));
        }
    } catch (const NeedLateBinding&) {
        return LateDesignator(x);
    }

    Step& last = steps.back();
    if (!last.IsOle && last.Ref->Kind() == TfsItemKind::Helper &&
        static_cast<TfsCustomHelper*>(last.Ref)->HelperKind() == TfsCustomHelper::hkMethod &&
        static_cast<TfsMethodHelper*>(last.Ref)->IndexMethod && !last.ArgsGiven)
        Error(fsmsg::IndexRequired);
    CheckArgs(last);
    if (mode == TMode::Delete) {
        if (last.Typ() != tcClass && last.Typ() != tcVariant) Error(fsmsg::TypeRequired);
        TfsClassVariable* root = FProgram->FindClass("TObject");
        TfsCustomHelper* free = root ? root->Find("Free") : nullptr;
        if (!free) Error(fsmsg::Undeclared + QuotedName("Free"));
        Step f;
        f.Ref = free;
        CheckArgs(f);
        steps.push_back(std::move(f));
    }

    // The fast paths: a plain variable, a character of a string variable, an element of an
    // array variable, one call of a script procedure, one call of a global host function.
    TfsCustomVariable* head = steps[0].Ref;
    if (steps.size() == 1 && head->IsPlainVariable() && steps[0].Args.empty())
        return std::make_unique<TfsVariableDesignator>(FProgram, head);
    if (steps.size() == 2 && head->IsPlainVariable() && steps[0].Args.empty() && !steps[1].IsOle) {
        TfsCustomVariable* second = steps[1].Ref;
        if ((head->Typ == tcString || head->Typ == tcChar) && second->Kind() == TfsItemKind::Helper &&
            static_cast<TfsCustomHelper*>(second)->HelperKind() == TfsCustomHelper::hkString && steps[1].Args.size() == 1)
            return std::make_unique<TfsStringDesignator>(FProgram, head, std::move(steps[1].Args[0]));
        if (head->Typ == tcArray && second == head->RefItem && second)
            return std::make_unique<TfsArrayDesignator>(FProgram, head, std::move(steps[1].Args));
    }
    if (steps.size() == 1 && head->Kind() == TfsItemKind::Proc)
        return std::make_unique<TfsProcCallDesignator>(FProgram, static_cast<TfsProcVariable*>(head),
                                                       std::move(steps[0].Args));
    if (steps.size() == 1 && !steps[0].IsOle && head->Kind() == TfsItemKind::Helper &&
        static_cast<TfsCustomHelper*>(head)->HelperKind() == TfsCustomHelper::hkMethod) {
        auto* method = static_cast<TfsMethodHelper*>(head);
        bool plain = !method->ClassRef && !method->IsConstructor && !method->IndexMethod &&
                     steps[0].Args.size() == static_cast<size_t>(method->Count());
        for (int i = 0; plain && i < method->Count(); ++i) plain = !method->Params(i)->IsVarParam;
        if (plain) return std::make_unique<TfsHostCallDesignator>(FProgram, method, std::move(steps[0].Args));
    }
    auto d = std::make_unique<TfsDesignator>(FProgram);
    for (Step& s : steps) {
        TfsDesignatorItem item;
        item.Ref = s.Ref;
        item.OwnedRef = std::move(s.Owned);
        item.Args = std::move(s.Args);
        item.SourcePos = s.Pos;
        d->Elements().push_back(std::move(item));
    }
    d->Finish();
    return d;
}


void TfsProgramBuilder::BindLate(TfsDesignator& designator, TfsLateSource& late) {
    TfsProgramBuilder builder(*designator.Prog(), late.NeedDeclareVars, nullptr);
    builder.FTypes = late.Types.get();
    builder.FUnitName = late.UnitName;
    builder.FLateMode = true;
    for (const std::string& name : late.WithNames)
        if (TfsCustomVariable* v = designator.Prog()->Find(name)) builder.FWithList.push_back({name, v});
    std::unique_ptr<TfsDesignator> built = builder.BuildDesignator(late.Element.get());
    auto& elements = designator.Elements();
    elements.clear();
    const TfsDesignator& plain = *built;
    if (built->DesignatorKind() == TfsDesignator::dkGeneral && !built->IsLate() &&
        typeid(plain) == typeid(TfsDesignator)) {
        elements = std::move(built->Elements());
        return;
    }
    TfsDesignatorItem item;
    item.Ref = built.get();
    item.OwnedRef = std::move(built);
    elements.push_back(std::move(item));
}
