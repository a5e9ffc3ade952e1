// Late-bound call helpers and a scratch folder for the spreadsheet server's files.
#pragma once

#include <optional>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/automation/Spreadsheet.h"

namespace oletest {

// A property read or method call with a result, in script order.
inline Variant Get(const Variant& obj, std::string_view name, std::vector<Variant> args = {}) {
    return DispatchInvoke(obj, name, ikMethod | ikPropertyGet, std::move(args));
}
// A method call as a statement (no result place).
inline void Call(const Variant& obj, std::string_view name, std::vector<Variant> args = {}) {
    DispatchInvoke(obj, name, ikMethod, std::move(args), false);
}
// A property write: the indices, then the value.
inline void Put(const Variant& obj, std::string_view name, std::vector<Variant> indicesThenValue) {
    DispatchInvoke(obj, name, ikPropertyPut, std::move(indicesThenValue));
}

inline std::string Raised(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const Exception& e) {
        return std::string(e.ClassName()) + ": " + e.Message();
    }
    return "";
}

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "rove-xlsx-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        FPath = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    const std::string& Path() const { return FPath; }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(FPath)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string FPath;
};

// Sends the server's files to a scratch folder and records what it opens instead of
// starting a program; restores the options afterwards.
class SpreadsheetFixture {
public:
    SpreadsheetFixture() : FSaved(SpreadsheetOptions()) {
        SpreadsheetOptions().OutputFolder = Dir.Path();
        SpreadsheetOptions().Opener = [this](const std::string& path) {
            Opened.push_back(path);
            return OpenerResult;
        };
    }
    ~SpreadsheetFixture() { SpreadsheetOptions() = FSaved; }

    TempDir Dir;
    std::vector<std::string> Opened;
    bool OpenerResult = true;

private:
    TSpreadsheetOptions FSaved;
};

// Sets an environment variable (or removes it) for the lifetime of the object.
class TEnvVar {
public:
    TEnvVar(const char* Name, const char* Value) : FName(Name) {
        if (const char* old = std::getenv(Name)) FOld = old;
        if (Value) setenv(Name, Value, 1);
        else unsetenv(Name);
    }
    ~TEnvVar() {
        if (FOld) setenv(FName, FOld->c_str(), 1);
        else unsetenv(FName);
    }
    TEnvVar(const TEnvVar&) = delete;
    TEnvVar& operator=(const TEnvVar&) = delete;

private:
    const char* FName;
    std::optional<std::string> FOld;
};

}  // namespace oletest
