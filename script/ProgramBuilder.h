// The program builder: walks the intermediate document and creates the program's objects in
// the script being compiled (variables, constants, procedures with their local programs,
// statements, designators and expressions), with every compile-time check of names and types.
// It dispatches only on element names, so all languages share it.
//
// Checks raise EScriptError with the engine's texts; BuildProgram catches the first one and
// makes it the script's error (message, the position of the element last entered, the unit).
#pragma once

#include "script/Statements.h"

#include <memory>
#include <string>
#include <vector>

class TfsXMLItem;

class TfsProgramBuilder {
public:
    // Root: the intermediate document's `program` element.
    TfsProgramBuilder(TfsScript& script, bool needDeclareVars, TfsXMLItem* root);
    ~TfsProgramBuilder();

    // Builds the root into the script's main block; a failure sets the script's error.
    void BuildProgram();
    // Compiles a designator whose binding waited for the run (raises on failure).
    static void BindLate(TfsDesignator& designator, TfsLateSource& late);

private:
    enum class TMode { Normal, New, Delete };
    struct WithEntry {
        std::string Name;
        TfsCustomVariable* Variable;
    };
    struct Step;

    [[noreturn]] void Error(const std::string& message);
    void Enter(const TfsXMLItem* x);

    void BuildProgramElement(TfsXMLItem* x, TfsStatement* into);
    void PreDeclare(TfsXMLItem* x);
    void DeclareProc(TfsXMLItem* x);
    void BuildParameters(TfsXMLItem* x, TfsProcVariable* proc);
    void DeclareVars(TfsXMLItem* x, TfsStatement* into, TfsProcVariable* paramsOf, bool varParams);
    void BuildStatement(TfsXMLItem* x, TfsStatement* into);
    void BuildChildren(TfsXMLItem* x, TfsStatement* into, int from = 0);
    template <class T> std::unique_ptr<T> NewStatement(TfsXMLItem* x);

    void BuildAssign(TfsXMLItem* x, TfsStatement* into);
    void BuildCall(TfsXMLItem* x, TfsStatement* into, TMode mode);
    void BuildIf(TfsXMLItem* x, TfsStatement* into);
    void BuildCase(TfsXMLItem* x, TfsStatement* into);
    void BuildFor(TfsXMLItem* x, TfsStatement* into);
    void BuildVbFor(TfsXMLItem* x, TfsStatement* into);
    void BuildCppFor(TfsXMLItem* x, TfsStatement* into);
    void BuildWhile(TfsXMLItem* x, TfsStatement* into);
    void BuildRepeat(TfsXMLItem* x, TfsStatement* into);
    void BuildTry(TfsXMLItem* x, TfsStatement* into);
    void BuildReturn(TfsXMLItem* x, TfsStatement* into);
    void BuildWith(TfsXMLItem* x, TfsStatement* into);
    void BuildUses(TfsXMLItem* x, TfsStatement* into);
    void BuildConst(TfsXMLItem* x);
    void BuildProcBody(TfsXMLItem* x);

    std::unique_ptr<TfsExpression> BuildExpression(TfsXMLItem* x);
    void AddExprItems(TfsExpression& e, TfsXMLItem* x);
    std::unique_ptr<TfsSetExpression> BuildSet(TfsXMLItem* x);
    std::unique_ptr<TfsExpression> ConstExpression(const Variant& value);
    std::unique_ptr<TfsDesignator> BuildDesignator(TfsXMLItem* x, TMode mode = TMode::Normal);
    std::unique_ptr<TfsDesignator> LateDesignator(TfsXMLItem* x);
    void CheckArgs(Step& step);
    void ApplyIndex(std::vector<Step>& steps, std::vector<std::unique_ptr<TfsExpression>> index,
                    std::vector<std::string> positions, TfsXMLItem* x);

    // The loop variable of a for statement (a plain, writable number or Variant).
    TfsCustomVariable* LoopVariable(TfsXMLItem* ident);
    TfsCustomVariable* FindOrDeclare(const std::string& name);
    uint8_t FindTypeByName(std::string& typeName);
    TfsClassVariable* ClassForType(const std::string& typeName) const;
    TfsClassVariable* ClassOfObject(const Variant& value) const;
    bool AssignsTextToStringList(const TfsDesignator& target, const TfsCustomVariable& source) const;
    void CheckAssign(const TfsCustomVariable& target, const TfsCustomVariable& source);
    bool Compatible(const TfsCustomVariable& target, const TfsCustomVariable& source) const;

    TfsScript& FScript;
    TfsScript* FProgram;
    TfsXMLItem* FRoot;
    TfsXMLItem* FTypes = nullptr;
    std::string FUnitName;
    std::string FErrorPos;
    std::vector<WithEntry> FWithList;
    bool FNeedDeclareVars;
    bool FLateMode = false;
    bool FSkipWithOnce = false;
};
