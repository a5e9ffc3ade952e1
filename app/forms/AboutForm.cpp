// The about window.
#include "app/forms/AboutForm.h"

#include "app/forms/ClinicForms.h"
#include "app/forms/HelpFile.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Shell.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Taboutform)
ROVE_CLINIC_FORM(Taboutform, aboutform)

Taboutform* aboutform = nullptr;

Taboutform::Taboutform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Taboutform::~Taboutform() {
    if (aboutform == this) aboutform = nullptr;
}

void Taboutform::BindFields() {
    Bind(Label1, "Label1");
    Bind(Label2, "Label2");
    Bind(Label3, "Label3");
    Bind(Label4, "Label4");
    Bind(Label5, "Label5");
}

std::string Taboutform::HelpFile() { return ClinicHelpFile(); }

std::string Taboutform::ProgramFolder() { return ExtractFilePath(ParamStr(0)); }

// The database lives in the working folder.
std::string Taboutform::DataFolder() { return IncludeTrailingPathDelimiter(ExpandFileName(".")); }

void Taboutform::Label3Click(TObject*) { OpenHelpFile(HelpFile()); }

void Taboutform::Label4Click(TObject*) { ShellOpen(ProgramFolder()); }

void Taboutform::Label5Click(TObject*) { ShellOpen(DataFolder()); }

void Taboutform::DeclareProperties(TPropertyDecl<Taboutform>& d) {
    d.Method("Label3Click", &Taboutform::Label3Click);
    d.Method("Label4Click", &Taboutform::Label4Click);
    d.Method("Label5Click", &Taboutform::Label5Click);
}
