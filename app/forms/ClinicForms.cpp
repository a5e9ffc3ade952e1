// Creation order and registry of the clinic's windows.
#include "app/forms/ClinicForms.h"

#include "platform/classes/Classes.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"

#include <algorithm>
#include <array>
#include <map>

namespace {
constexpr std::array<std::string_view, 37> kOrder = {
    "Twqtdglzjmform", "Tdatamoduleform", "TLogoinForm", "Tsfform",     "Tyszlform",
    "Tbrzlform",      "Txjxmform",       "Tsfcxform",   "Tllzlform",   "Tkszlform",
    "Tprintform",     "Tpjzfform",       "Txmzlform",   "Tbqxmform",   "Tsjhfform",
    "Tsjbfform",      "Tuserform",       "Taboutform",  "Tdwzlform",   "Tcxsrform",
    "Tpjzfcxform",    "Tjxcylform",      "Trbform",     "Txmxhtjform", "Tyhcxform",
    "Tgnbform",       "Thintform",       "Tsjzlform",   "Trkform",     "Trkcxform",
    "Typxhtjform",    "Tzfcxmxform",     "Tqhsxcxform", "Tyhsfform",   "Tsftsform",
    "Tsfcxmxform",    "Txmzlhxform",
};

std::map<std::string, TClinicFormCreator, std::less<>>& Registry() {
    static std::map<std::string, TClinicFormCreator, std::less<>> registry;
    return registry;
}
}  // namespace

std::span<const std::string_view> ClinicFormOrder() { return kOrder; }

void RegisterClinicForm(std::string_view ClassName, TClinicFormCreator Create) {
    if (!Create) {
        if (auto it = Registry().find(ClassName); it != Registry().end()) Registry().erase(it);
        return;
    }
    Registry()[std::string(ClassName)] = Create;
}

bool ClinicFormRegistered(std::string_view ClassName) {
    return Registry().find(ClassName) != Registry().end();
}

std::vector<std::string> CreateClinicForms(TApplication& App) {
    for (const auto& [name, create] : Registry())
        if (std::find(kOrder.begin(), kOrder.end(), name) == kOrder.end())
            throw EComponentError("Window class " + name + " has no place in the creation order");
    std::vector<std::string> created;
    for (std::string_view name : kOrder) {
        auto it = Registry().find(name);
        if (it == Registry().end()) continue;
        it->second(App);
        created.emplace_back(name);
    }
    return created;
}

void DestroyClinicForms() {
    const auto order = ClinicFormOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) delete FindClinicForm(*it);
}

TComponent* FindClinicForm(std::string_view ClassName) {
    TApplication* app = Application;
    for (int i = 0; i < app->ComponentCount(); ++i) {
        TComponent* c = app->Components(i);
        if (SameText(c->ClassName(), ClassName)) return c;
    }
    return nullptr;
}

TCustomForm* FindClinicWindow(std::string_view ClassName) {
    return dynamic_cast<TCustomForm*>(FindClinicForm(ClassName));
}
