// Script compilation in one language (ROVE_FUZZ_LANGUAGE): any source compiles or ends with
// an error message and position, never crashes; nothing runs.
#include "FuzzSupport.h"

#include "platform/rtl/Exceptions.h"
#include "script/Script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TfsScript script;
    script.SetSyntaxType(ROVE_FUZZ_LANGUAGE);
    script.Lines()->SetText(std::string(FuzzText(Data, Size)));
    if (!script.Compile() && script.ErrorMsg().empty()) FuzzFail("a compile failed without a message");
    return 0;
}
