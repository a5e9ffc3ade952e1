// Prepared reports: any text loads or raises the class library's errors; every page that
// loaded builds and draws (on a bitmap and on a recording canvas) without raising.
#include "FuzzSupport.h"

#include <algorithm>

#include "platform/graphics/Graphics.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzStartApplication();
    FuzzRegisterReportClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TfrxReport report(nullptr);
    FuzzQuiet(report);
    TfrxPreviewPages pages(&report);
    try {
        TStringStream in{std::string(FuzzText(Data, Size))};
        pages.LoadFromStream(in);
    } catch (const Exception&) {
        return 0;
    }
    TBitmap bitmap;
    bitmap.SetSize(64, 64);
    for (int i = 0, n = std::min(pages.Count(), 4); i < n; ++i) {
        try {
            pages.GetPage(i);
            double w = 0, h = 0;
            pages.GetPageSize(i, w, h);
            pages.DrawPage(i, bitmap.Canvas(), 0.25, 0.25, 0, 0);
            TMetafile metafile;
            TMetafileCanvas recording(&metafile);
            pages.DrawPage(i, &recording, 1, 1, 0, 0);
        } catch (const Exception& e) {
            FuzzFail(std::string("a loaded page does not draw: ") + e.what());
        }
    }
    return 0;
}
