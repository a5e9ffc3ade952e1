// The form-text reader: any text parses into a value tree or raises the class library's
// read error; a tree that parsed formats into text that parses into the same tree; and the
// text read into real controls (forms, edits, memos, lists) builds them or raises, never
// crashes.
#include "FuzzSupport.h"

#include <memory>

#include "platform/classes/Streaming.h"
#include "platform/rtl/Exceptions.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzStartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string_view text = FuzzText(Data, Size);
    std::string formatted;
    try {
        formatted = FormatFormText(ParseFormText(text, "fuzz.dfm"));
    } catch (const Exception&) {
        return 0;
    }
    try {
        if (FormatFormText(ParseFormText(formatted, "formatted.dfm")) != formatted)
            FuzzFail("formatting a parsed tree and parsing it again changed it:\n" + formatted);
    } catch (const Exception& e) {
        FuzzFail(std::string("the formatted text does not parse: ") + e.what() + "\n" + formatted);
    }
    try {
        std::unique_ptr<TComponent> root(CreateComponentFromText(text, nullptr, "fuzz.dfm"));
        if (root) WriteComponentToText(root.get());
    } catch (const Exception&) {
    }
    return 0;
}
