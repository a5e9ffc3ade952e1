// Automation objects reached late, by name: CreateOleObject finds a server by its ProgID in
// the process's registry of servers, and TAutoObject is the base the servers' objects
// derive from (member names looked up ignoring ASCII case, calls checked for their kind,
// argument count and argument types, failures turned into automation result codes).
//
// The calling convention is TDispatch's (platform/rtl/Variant.h): arguments arrive last
// first, a property put carries the value written in args[0]. Scripts and the program
// call through DispatchInvoke, which raises EOleError "OLE error %08X: Name" for any
// result code other than S_OK. A server's own description of a failure ("row 0 is outside
// the sheet") does not travel with the code; it is kept per thread, as automation keeps
// its error information, and OleErrorInfo() returns it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/rtl/Variant.h"

// Result codes the servers return besides those in Variant.h.
constexpr uint32_t DISP_E_OVERFLOW = 0x8002000A;
constexpr uint32_t DISP_E_BADINDEX = 0x8002000B;
constexpr uint32_t DISP_E_PARAMNOTOPTIONAL = 0x8002000F;
constexpr uint32_t E_OUTOFMEMORY = 0x8007000E;
constexpr uint32_t CO_E_SERVER_EXEC_FAILURE = 0x80080005;

// --- Creating objects by ProgID ----------------------------------------------------------
using TOleServerFactory = std::function<std::shared_ptr<TDispatch>()>;

// Creates a new object of the server registered as progID (compared ignoring ASCII case,
// as ProgIDs are). A ProgID that no server has raises EOleError
// "OLE error 800401F3: <progID> (invalid class string)", the error of a server that is
// not installed; a factory that fails raises "OLE error 80080005: <progID> (...)".
// "Excel.Application" is registered from the start (Spreadsheet.h).
Variant CreateOleObject(const std::string& progID);

// Registers (or replaces) the server of progID. Tests and the program add their own.
void RegisterOleServer(const std::string& progID, TOleServerFactory factory);
// Removes the server of progID; false when none was registered.
bool UnregisterOleServer(std::string_view progID);
bool OleServerRegistered(std::string_view progID);

// The description of the last failed call into a TAutoObject on this thread; empty when
// the last call succeeded or the server gave none.
const std::string& OleErrorInfo();

// --- Writing servers ---------------------------------------------------------------------
// A failure inside a member: the result code and an optional description (OleErrorInfo).
class EOleFailure : public Exception {
public:
    EOleFailure(uint32_t code, std::string description = {})
        : Exception(std::move(description)), FCode(code) {}
    uint32_t Code() const noexcept { return FCode; }
    const char* ClassName() const noexcept override { return "EOleFailure"; }

private:
    uint32_t FCode;
};

// One call as a member sees it: the kind, the arguments in the order the caller wrote
// them, the value of a put, and the place for the result.
class TOleCall {
public:
    TOleCall(unsigned kind, std::span<Variant> args, Variant* result)
        : FKind(kind), FArgs(args), FResult(result) {}

    unsigned Kind() const { return FKind; }
    bool IsPut() const { return (FKind & ikPropertyPut) != 0; }
    // The number of arguments, without the value of a put.
    int Count() const { return static_cast<int>(FArgs.size()) - (IsPut() ? 1 : 0); }
    // Argument i (0-based, in the caller's order).
    const Variant& Arg(int i) const;
    // False for an argument left out: beyond Count, Empty, Null, or the "missing" error
    // value automation passes for omitted optional arguments.
    bool Given(int i) const;
    // The value of a put.
    const Variant& Value() const;
    void Return(Variant value) const {
        if (FResult) *FResult = std::move(value);
    }

    // Checks, raising EOleFailure with the automation code:
    // the kinds the member has (DISP_E_MEMBERNOTFOUND),
    void RequireKind(bool get, bool put) const;
    // the argument count (DISP_E_BADPARAMCOUNT),
    void RequireCount(int min, int max) const;
    // argument conversions (DISP_E_TYPEMISMATCH; DISP_E_OVERFLOW for an integer too big).
    int32_t IntArg(int i) const;
    double DoubleValue() const;
    bool BoolValue() const;
    std::string StringValue() const;

private:
    unsigned FKind;
    std::span<Variant> FArgs;
    Variant* FResult;
};

// Base of every server object. Members are numbered by their position in Members()
// (dispatch identifier = position + 1).
class TAutoObject : public TDispatch, public std::enable_shared_from_this<TAutoObject> {
public:
    uint32_t GetIDsOfNames(std::string_view name, int32_t& dispId) override;
    uint32_t Invoke(int32_t dispId, unsigned kind, std::span<Variant> args,
                    Variant* result) final;

protected:
    // The member names, spelled as documented; matched ignoring ASCII case.
    virtual std::span<const std::string_view> Members() const = 0;
    // Carries out member index (0-based position in Members()); raises EOleFailure, or
    // any Exception (reported as DISP_E_EXCEPTION with its text as the description).
    virtual void Call(int index, const TOleCall& call) = 0;
};

// The object of a Variant when it is one of ours of class T, else null.
template <class T>
std::shared_ptr<T> OleObjectOf(const Variant& v) {
    if (!v.IsDispatch()) return nullptr;
    return std::dynamic_pointer_cast<T>(v.DispatchValue());
}
