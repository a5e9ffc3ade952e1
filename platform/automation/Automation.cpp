// The registry of automation servers, CreateOleObject, and the member dispatch of
// TAutoObject.
#include "platform/automation/Automation.h"

#include <cmath>
#include <mutex>
#include <new>
#include <vector>

#include "platform/automation/Spreadsheet.h"
#include "platform/rtl/StrUtils.h"

namespace {

struct TServerEntry {
    std::string ProgID;
    TOleServerFactory Factory;
};

struct TServerRegistry {
    std::mutex Lock;
    std::vector<TServerEntry> Entries;

    TServerRegistry() { Entries.push_back({SpreadsheetProgID, CreateSpreadsheetApplication}); }

    TServerEntry* Find(std::string_view progID) {
        for (TServerEntry& e : Entries)
            if (SameText(e.ProgID, progID)) return &e;
        return nullptr;
    }
};

TServerRegistry& Registry() {
    static TServerRegistry registry;
    return registry;
}

std::string& ErrorInfo() {
    thread_local std::string info;
    return info;
}

[[noreturn]] void CreationError(uint32_t code, const std::string& progID, const std::string& why) {
    throw EOleError("OLE error " + IntToHex(code, 8) + ": " + progID + " (" + why + ")");
}

}  // namespace

// --- Creating objects ---------------------------------------------------------------------
Variant CreateOleObject(const std::string& progID) {
    TOleServerFactory factory;
    {
        TServerRegistry& r = Registry();
        std::lock_guard<std::mutex> guard(r.Lock);
        if (TServerEntry* e = r.Find(progID)) factory = e->Factory;
    }
    if (!factory) CreationError(CO_E_CLASSSTRING, progID, "invalid class string");
    std::shared_ptr<TDispatch> object;
    try {
        object = factory();
    } catch (const Exception& e) {
        CreationError(CO_E_SERVER_EXEC_FAILURE, progID, e.Message());
    } catch (const std::exception& e) {
        CreationError(CO_E_SERVER_EXEC_FAILURE, progID, e.what());
    }
    if (!object) CreationError(CO_E_SERVER_EXEC_FAILURE, progID, "server execution failed");
    return Variant(std::move(object));
}

void RegisterOleServer(const std::string& progID, TOleServerFactory factory) {
    TServerRegistry& r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    if (TServerEntry* e = r.Find(progID)) e->Factory = std::move(factory);
    else r.Entries.push_back({progID, std::move(factory)});
}

bool UnregisterOleServer(std::string_view progID) {
    TServerRegistry& r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    for (auto it = r.Entries.begin(); it != r.Entries.end(); ++it)
        if (SameText(it->ProgID, progID)) {
            r.Entries.erase(it);
            return true;
        }
    return false;
}

bool OleServerRegistered(std::string_view progID) {
    TServerRegistry& r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    return r.Find(progID) != nullptr;
}

const std::string& OleErrorInfo() { return ErrorInfo(); }

// --- Calls ----------------------------------------------------------------------------------
const Variant& TOleCall::Arg(int i) const {
    if (i < 0 || i >= Count()) throw EOleFailure(DISP_E_PARAMNOTOPTIONAL);
    // args hold the last argument first; a put's value comes before the indices.
    return FArgs[FArgs.size() - 1 - static_cast<size_t>(i)];
}

bool TOleCall::Given(int i) const {
    if (i < 0 || i >= Count()) return false;
    const Variant& v = Arg(i);
    return !v.IsEmpty() && !v.IsNull();
}

const Variant& TOleCall::Value() const {
    if (!IsPut() || FArgs.empty()) throw EOleFailure(DISP_E_PARAMNOTOPTIONAL);
    return FArgs[0];
}

void TOleCall::RequireKind(bool get, bool put) const {
    if (IsPut() ? !put : !get) throw EOleFailure(DISP_E_MEMBERNOTFOUND);
}

void TOleCall::RequireCount(int min, int max) const {
    if (Count() < min || Count() > max) throw EOleFailure(DISP_E_BADPARAMCOUNT);
}

namespace {

template <class F>
auto Converted(F convert) {
    try {
        return convert();
    } catch (const EVariantError& e) {
        throw EOleFailure(e.Message() == "Variant overflow" ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH,
                          e.Message());
    }
}

}  // namespace

int32_t TOleCall::IntArg(int i) const {
    const Variant& v = Arg(i);
    if (v.IsDispatch() || v.IsArray() || v.IsNull() || v.IsEmpty())
        throw EOleFailure(DISP_E_TYPEMISMATCH);
    return Converted([&] { return v.AsInteger(); });
}

double TOleCall::DoubleValue() const {
    const Variant& v = Value();
    double d = Converted([&] { return v.AsDouble(); });
    if (!std::isfinite(d)) throw EOleFailure(DISP_E_TYPEMISMATCH);
    return d;
}

bool TOleCall::BoolValue() const {
    return Converted([&] { return Value().AsBoolean(); });
}

std::string TOleCall::StringValue() const {
    const Variant& v = Value();
    if (v.IsDispatch() || v.IsArray()) throw EOleFailure(DISP_E_TYPEMISMATCH);
    return Converted([&] { return VarToStr(v); });
}

// --- Dispatch -------------------------------------------------------------------------------
uint32_t TAutoObject::GetIDsOfNames(std::string_view name, int32_t& dispId) {
    std::span<const std::string_view> members = Members();
    for (size_t i = 0; i < members.size(); ++i)
        if (SameText(members[i], name)) {
            dispId = static_cast<int32_t>(i) + 1;
            return S_OK;
        }
    return DISP_E_UNKNOWNNAME;
}

uint32_t TAutoObject::Invoke(int32_t dispId, unsigned kind, std::span<Variant> args,
                             Variant* result) {
    std::string& info = ErrorInfo();
    info.clear();
    if (dispId < 1 || static_cast<size_t>(dispId) > Members().size()) return DISP_E_MEMBERNOTFOUND;
    if ((kind & ikPropertyPut) && args.empty()) return DISP_E_PARAMNOTOPTIONAL;
    try {
        Call(dispId - 1, TOleCall(kind, args, result));
        return S_OK;
    } catch (const EOleFailure& e) {
        info = e.Message();
        return e.Code();
    } catch (const Exception& e) {
        info = e.Message();
        return DISP_E_EXCEPTION;
    } catch (const std::bad_alloc&) {
        info = "Out of memory";
        return E_OUTOFMEMORY;
    }
}
