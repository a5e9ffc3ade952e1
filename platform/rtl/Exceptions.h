// Exceptions of the runtime: every failure is an exception carrying the text the user sees.
// Layers above derive their own (EDatabaseError, EScriptError, ...) from Exception.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const noexcept { return FMessage; }
    void SetMessage(std::string message) { FMessage = std::move(message); }
    const char* what() const noexcept override { return FMessage.c_str(); }
    // The class name as scripts and message boxes show it ("EConvertError").
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string FMessage;
};

#define ROVE_DECLARE_EXCEPTION(Name, Base)                                  \
    class Name : public Base {                                              \
    public:                                                                 \
        using Base::Base;                                                   \
        const char* ClassName() const noexcept override { return #Name; }   \
    }

// Raised to leave a handler silently: the exception boundary shows no message for it.
ROVE_DECLARE_EXCEPTION(EAbort, Exception);
ROVE_DECLARE_EXCEPTION(EConvertError, Exception);     // text that is no number or date
ROVE_DECLARE_EXCEPTION(EEncodingError, Exception);    // text that has no GBK/GB18030 form
ROVE_DECLARE_EXCEPTION(EVariantError, Exception);     // bad Variant conversion or operation
ROVE_DECLARE_EXCEPTION(EMathError, Exception);
ROVE_DECLARE_EXCEPTION(EZeroDivide, EMathError);      // float division by zero
ROVE_DECLARE_EXCEPTION(EDivByZero, Exception);        // integer division by zero
ROVE_DECLARE_EXCEPTION(ERangeError, Exception);
ROVE_DECLARE_EXCEPTION(EListError, Exception);        // index out of bounds, duplicates
ROVE_DECLARE_EXCEPTION(EStringListError, EListError);
ROVE_DECLARE_EXCEPTION(EInOutError, Exception);       // file system failures
ROVE_DECLARE_EXCEPTION(EStreamError, Exception);
ROVE_DECLARE_EXCEPTION(EFOpenError, EStreamError);
ROVE_DECLARE_EXCEPTION(EFCreateError, EStreamError);
ROVE_DECLARE_EXCEPTION(EReadError, EStreamError);
ROVE_DECLARE_EXCEPTION(EWriteError, EStreamError);
ROVE_DECLARE_EXCEPTION(EInvalidHandle, Exception);    // a stale or forged object handle
ROVE_DECLARE_EXCEPTION(EInvalidOperation, Exception);
ROVE_DECLARE_EXCEPTION(EInvalidCast, Exception);       // an object used as a class it is not
ROVE_DECLARE_EXCEPTION(EOSError, Exception);

// Raises an Exception whose text is Format(fmt, args) is in Format.h (RaiseFmt).
