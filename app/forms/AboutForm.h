// Taboutform: the about window, opened without waiting from the main window's help menu.
// Besides the title it carries three links the user can click: the help file, the
// program's folder and the folder of the clinic database, opened with the desktop's program.
#pragma once

#include "platform/ui/Forms.h"

#include <string>

class TLabel;

class Taboutform : public TForm {
    ROVE_CLASS(Taboutform, TForm)
public:
    explicit Taboutform(TComponent* AOwner);
    ~Taboutform() override;

    TLabel* Label1 = nullptr;   // the product title
    TLabel* Label2 = nullptr;   // the version
    TLabel* Label3 = nullptr;   // link: the help file
    TLabel* Label4 = nullptr;   // link: the program's folder
    TLabel* Label5 = nullptr;   // link: the database's folder

    // What each link opens.
    static std::string HelpFile();
    static std::string ProgramFolder();
    static std::string DataFolder();

    void Label3Click(TObject* Sender);
    void Label4Click(TObject* Sender);
    void Label5Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Taboutform>& d);

protected:
    void BindFields() override;
};

extern Taboutform* aboutform;
