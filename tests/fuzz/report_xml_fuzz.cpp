// Report XML: any text loads (what it cannot take goes to the error list or raises the
// class library's errors); whatever loaded saves without raising, and the saved text loads
// again and saves again.
#include "FuzzSupport.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "report/Report.h"

namespace {
std::string Saved(TfrxReport& Report) {
    TStringStream out;
    try {
        Report.SaveToStream(out);
    } catch (const Exception& e) {
        FuzzFail(std::string("a loaded report does not save: ") + e.what());
    }
    return out.DataString();
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzStartApplication();
    FuzzRegisterReportClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TfrxReport report(nullptr);
    FuzzQuiet(report);
    try {
        TStringStream in{std::string(FuzzText(Data, Size))};
        report.LoadFromStream(in);
    } catch (const Exception&) {
        return 0;
    }
    const std::string first = Saved(report);
    TfrxReport again(nullptr);
    FuzzQuiet(again);
    try {
        TStringStream in(first);
        again.LoadFromStream(in);
    } catch (const Exception& e) {
        FuzzFail(std::string("a saved report does not load: ") + e.what() + "\n" + first);
    }
    Saved(again);
    return 0;
}
