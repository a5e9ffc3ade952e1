#include "FuzzSupport.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include "platform/ui/Forms.h"
#include "report/CrossView.h"
#include "report/DataSet.h"
#include "report/DialogControls.h"
#include "report/DotMatrix.h"
#include "report/Engine.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Options.h"
#include "report/PictureView.h"
#include "report/Views.h"

void FuzzStartApplication() {
    // Never destroyed: the fuzzer leaves through exit(), after Qt's own globals are gone.
    static QApplication* app = nullptr;
    if (app) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("FONTCONFIG_FILE")) setenv("FONTCONFIG_FILE", ROVE_FONTS_CONF, 1);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    app = new QApplication(argc, argv);
    RegisterUiClasses();
}

void FuzzRegisterReportClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    frxRegisterBandAndPageClasses();
    frxRegisterPreviewPages();
    frxRegisterEngine();
    frxRegisterCrossObjects();
    frxRegisterDialogControls();
    frxRegisterDotMatrixClasses();
    SetfrxPasswordQuery([](std::string&) { return false; });
    RegisterClasses({TfrxReport::StaticClass(), TfrxDBDataset::StaticClass(), TfrxUserDataSet::StaticClass(),
                     TfrxMemoView::StaticClass(), TfrxSysMemoView::StaticClass(), TfrxLineView::StaticClass(),
                     TfrxShapeView::StaticClass(), TfrxPictureView::StaticClass()});
}

void FuzzQuiet(TfrxReport& Report) { Report.EngineOptions()->SilentMode = true; }

void FuzzFail(std::string_view What) {
    std::fprintf(stderr, "fuzz finding: %.*s\n", static_cast<int>(What.size()), What.data());
    std::abort();
}
