// The common dialogs and the message functions of scripts. Every dialog goes through the
// window layer's dialog service, so tests answer them without a window.
#include "platform/ui/Dialogs.h"
#include "script/stdclasses/StdClasses.h"
#include "script/stdclasses/StdInternal.h"

using namespace fsstd;

namespace {

const char* const kDialogsModule = "dialogs classes";
bool gDialogsRegistered = false;

void RegisterDialogs(TfsScript& unit) {
    if (TfsClassVariable* c = unit.AddClass(TCommonDialog::StaticClass(), "TComponent")) {
        c->AddMethod("function Execute: Boolean",
                     Method<TCommonDialog>([](TCommonDialog& self, TfsParams&) { return self.Execute(); }));
    }
    for (TClass cls : {TOpenDialog::StaticClass(), TSaveDialog::StaticClass(), TColorDialog::StaticClass(),
                       TFontDialog::StaticClass(), TPrintDialog::StaticClass(), TPrinterSetupDialog::StaticClass()})
        unit.AddClass(cls, "TCommonDialog");

    unit.AddMethod("function MessageDlg(Msg: string; DlgType: TMsgDlgType; Buttons: TMsgDlgButtons; HelpCtx: Longint): Integer",
                   [](TObject*, TClass, const std::string&, TfsParams& p) {
                       const int type = p[1].AsInteger();
                       if (type < mtWarning || type > mtCustom) throw ERangeError("Range check error");
                       return Variant(MessageDlg(Str(p[0]), static_cast<TMsgDlgType>(type), static_cast<int>(fsSetToOrd(p[2])),
                                                 p[3].AsInteger()));
                   },
                   "ctOther");
    unit.AddMethod("function InputBox(ACaption, APrompt, ADefault: string): string",
                   [](TObject*, TClass, const std::string&, TfsParams& p) {
                       return Variant(InputBox(Str(p[0]), Str(p[1]), Str(p[2])));
                   },
                   "ctOther");
    unit.AddMethod("function InputQuery(ACaption, APrompt: string; var Value: string): Boolean",
                   [](TObject*, TClass, const std::string&, TfsParams& p) {
                       std::string value = Str(p[2]);
                       const bool ok = InputQuery(Str(p[0]), Str(p[1]), value);
                       p[2] = Variant(std::move(value));
                       return Variant(ok);
                   },
                   "ctOther");
}

}  // namespace

void fsRegisterDialogsClasses() {
    if (gDialogsRegistered) return;
    TModuleScope scope(kDialogsModule);
    TfsScript* unit = scope.Unit();
    if (!unit) return;
    gDialogsRegistered = true;
    unit->AddEnumSet("TOpenOptions",
                     "ofReadOnly, ofOverwritePrompt, ofHideReadOnly,ofNoChangeDir, ofShowHelp, ofNoValidate, "
                     "ofAllowMultiSelect,ofExtensionDifferent, ofPathMustExist, ofFileMustExist, "
                     "ofCreatePrompt,ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, "
                     "ofNoNetworkButton,ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks, "
                     "ofEnableIncludeNotify,ofEnableSizing");
    unit->AddEnum("TFileEditStyle", "fsEdit, fsComboBox");
    unit->AddEnumSet("TColorDialogOptions", "cdFullOpen, cdPreventFullOpen, cdShowHelp,cdSolidColor, cdAnyColor");
    unit->AddEnumSet("TFontDialogOptions",
                     "fdAnsiOnly, fdTrueTypeOnly, fdEffects,fdFixedPitchOnly, fdForceFontExist, fdNoFaceSel, "
                     "fdNoOEMFonts,fdNoSimulations, fdNoSizeSel, fdNoStyleSel,  fdNoVectorFonts,fdShowHelp, "
                     "fdWysiwyg, fdLimitSize, fdScalableOnly, fdApplyButton");
    unit->AddEnum("TFontDialogDevice", "fdScreen, fdPrinter, fdBoth");
    unit->AddEnum("TPrintRange", "prAllPages, prSelection, prPageNums");
    unit->AddEnumSet("TPrintDialogOptions", "poPrintToFile, poPageNums, poSelection,poWarning, poHelp, poDisablePrintToFile");
    unit->AddEnum("TMsgDlgType", "mtWarning, mtError, mtInformation, mtConfirmation, mtCustom");
    unit->AddEnumSet("TMsgDlgButtons",
                     "mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp");
    RegisterDialogs(*unit);
    // ShowMessage of the system functions shows the layer's message box from now on.
    SetShowMessageHandler([](const std::string& text) { ShowMessage(text); });
}

void fsUnregisterDialogsClasses() {
    if (!gDialogsRegistered) return;
    gDialogsRegistered = false;
    SetShowMessageHandler(nullptr);
    if (TfsScript* unit = GlobalUnit()) unit->RemoveItems(kDialogsModule);
}
