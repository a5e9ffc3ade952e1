// Binary property data: any bytes decode into properties or raise the class library's read
// error; what decoded encodes and decodes to the same bytes; and the bytes as a report's
// PropData (its variables and other collections) load into the report, which then saves.
#include "FuzzSupport.h"

#include "platform/classes/Streaming.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "report/Report.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzStartApplication();
    FuzzRegisterReportClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string_view bytes = FuzzText(Data, Size);
    try {
        const std::string encoded = EncodeBinaryProperties(DecodeBinaryProperties(bytes));
        if (EncodeBinaryProperties(DecodeBinaryProperties(encoded)) != encoded)
            FuzzFail("decoded property data encodes differently once decoded again");
    } catch (const Exception&) {
    }
    static const char kHex[] = "0123456789ABCDEF";
    std::string xml = "<?xml version=\"1.0\"?><TfrxReport PropData=\"";
    for (unsigned char c : bytes) {
        xml += kHex[c >> 4];
        xml += kHex[c & 15];
    }
    xml += "\"/>";
    TfrxReport report(nullptr);
    FuzzQuiet(report);
    try {
        TStringStream in(xml);
        report.LoadFromStream(in);
    } catch (const Exception&) {
        return 0;
    }
    try {
        TStringStream out;
        report.SaveToStream(out);
    } catch (const Exception& e) {
        FuzzFail(std::string("a report with loaded property data does not save: ") + e.what());
    }
    return 0;
}
