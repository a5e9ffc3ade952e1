// Report expressions compiled into script functions. Each distinct expression text is
// compiled once, as the function "_f" + N of a private script whose parent is the report's
// script (so expressions see the report's objects, variables and script functions), and
// called from then on. The report empties the cache at the start of every run.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/rtl/Variant.h"

class TfsScript;

class TfrxExpressionCache {
public:
    explicit TfrxExpressionCache(TfsScript* ParentScript);
    ~TfrxExpressionCache();
    TfrxExpressionCache(const TfrxExpressionCache&) = delete;
    TfrxExpressionCache& operator=(const TfrxExpressionCache&) = delete;

    // The value of Expression. A compile error leaves ErrorText as "clExprError" 'expr':
    // message and gives Null (nothing is kept for that text); run-time errors of the
    // expression propagate.
    Variant Calc(const std::string& Expression, std::string& ErrorText);
    // Forgets every expression and empties the script.
    void Clear();
    // The number of expressions compiled since the last Clear.
    int Count() const { return static_cast<int>(FFunctions.size()); }
    TfsScript* Script() const { return FScript.get(); }

private:
    std::unique_ptr<TfsScript> FScript;
    // Expression text (exact) -> name of its compiled function.
    std::unordered_map<std::string, std::string> FFunctions;
};
