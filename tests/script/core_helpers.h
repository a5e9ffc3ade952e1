// Test helpers for the interpreter core: a script whose Out(v) calls collect texts.
#pragma once

#include "script/Script.h"

#include <functional>
#include <string>
#include <vector>

// Compiles and runs PascalScript programs; Out(v) appends VarToStr(v) to Output. Each Run
// starts from a cleared script with Out and whatever Setup registers.
class TestScript {
public:
    TestScript() { Register(); }

    // "compile: <message> at <pos>", or the joined output (an error raised while running is
    // appended as "error: <message>").
    std::string Run(const std::string& source) {
        Output.clear();
        Script.Clear();
        Register();
        Script.Lines()->SetText(source);
        if (!Script.Compile()) return "compile: " + Script.ErrorMsg() + " at " + Script.ErrorPos();
        try {
            Script.Execute();
        } catch (const std::exception& e) {
            Output.push_back(std::string("error: ") + e.what());
        }
        return Joined();
    }

    std::string Joined() const {
        std::string s;
        for (const std::string& o : Output) {
            if (!s.empty()) s += ' ';
            s += o;
        }
        return s;
    }

    TfsScript Script;
    std::vector<std::string> Output;
    std::function<void(TfsScript&)> Setup;

private:
    void Register() {
        Script.AddMethod("procedure Out(v: Variant)", [this](TObject*, TClass, const std::string&, TfsParams& p) {
            Output.push_back(VarToStr(p[0]));
            return Variant();
        });
        if (Setup) Setup(Script);
    }
};
