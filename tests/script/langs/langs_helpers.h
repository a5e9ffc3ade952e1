// Helpers of the language tests: a runner that compiles and runs a source text in any of the
// script languages, with a small host class the scripts create, change and free.
#pragma once

#include "core_helpers.h"

#include "platform/classes/Component.h"

#include <memory>
#include <string>

// A component with two published properties; Alive counts the living ones, so a test sees
// whether a script's new and delete really made and freed one.
class TLangsBox : public TComponent {
    ROVE_CLASS(TLangsBox, TComponent)
public:
    explicit TLangsBox(TComponent* AOwner);
    ~TLangsBox() override;
    std::string Caption;
    int Count = 0;
    static int Alive;
    static void DeclareProperties(TPropertyDecl<TLangsBox>& d);
};

// Compiles and runs in a language; the result is what TestScript::Run gives ("compile: <msg>
// at <pos>", or the joined Out texts). TObject (with Free), TComponent and TLangsBox (with
// Create) are registered, Box is a living TLangsBox, Alive() counts the living boxes, and the
// report-variable function Get(Name) answers "v:" + Name.
class LangRunner {
public:
    LangRunner();
    std::string Run(const std::string& language, const std::string& source);
    // The unit texts OnGetUnit hands out, by name.
    std::string UnitName, UnitText;

    TestScript T;
    std::unique_ptr<TLangsBox> Box;
};

inline const char* const kLanguages[] = {"PascalScript", "C++Script", "JScript", "BasicScript"};
