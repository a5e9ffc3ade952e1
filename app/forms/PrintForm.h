// Tprintform: the receipt print prompt, shown after every saved charge (and for a reprint).
// On show it sums the receipt's lines into the ten fee categories and opens the receipt;
// "确定" hands the amount in capitals and the sums to the receipt report as variables,
// loads the installation's template "rove.bl3" from the working directory (writing the
// built-in model receipt there first when it is missing), adds the title and prints,
// previews or designs it as the radio buttons say.
#pragma once

#include "platform/rtl/Currency.h"
#include "platform/ui/Forms.h"

#include <array>
#include <exception>
#include <string>
#include <string_view>

class TLabel;
class TButton;
class TRadioButton;
class TADOConnection;
class TADOQuery;
class TfrxDBDataset;
class TfrxReport;

// The amount in Chinese capital numerals ("壹拾元整"). Amounts that are not greater than 0,
// have more than two decimals or more than 19 digits in fen give "".
std::string AmountToCapital(Currency Amount);
// The same for a floating-point amount, read as its nearest ten-thousandth.
std::string AmountToCapital(double Amount);

// The fee categories in their fixed order, and the report variable of each.
struct TFeeCategory {
    std::string_view Name;
    std::string_view Variable;
};
inline constexpr std::array<TFeeCategory, 10> kFeeCategories = {{
    {"西药费", "aa"}, {"中成药费", "bb"}, {"中草药费", "cc"}, {"诊查费", "dd"}, {"检查费", "ee"},
    {"化验费", "ff"}, {"注射费", "gg"}, {"治疗费", "hh"}, {"手术费", "ii"}, {"其它费", "kk"},
}};
using TCategorySums = std::array<Currency, kFeeCategories.size()>;

// The receipt's line totals per category (their exact sum rounded to 2 decimals; 0 without
// lines), read with one grouped query; lines of other types are in none of the ten.
TCategorySums ReceiptCategorySums(TADOConnection& Connection, const std::string& ReceiptNo);

// What the prompt says when the receipt template file cannot be read (a damaged file, or one
// the user may not read), and what happens instead.
std::string DamagedTemplateText(const std::string& FileName, const std::exception& E);

// The template's name, read from the working directory at every run.
inline constexpr const char* kReceiptTemplateFile = "rove.bl3";
// The title memo added to the loaded template.
inline constexpr const char* kReceiptTitleName = "MemoTest";
inline constexpr const char* kReceiptTitle = "XXX医院门诊收费结算收据";

class Tprintform : public TForm {
    ROVE_CLASS(Tprintform, TForm)
public:
    explicit Tprintform(TComponent* AOwner);
    ~Tprintform() override;

    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;              // hidden: the receipt number, set by the caller
    TRadioButton* RadioButton1 = nullptr;  // 打印
    TRadioButton* RadioButton2 = nullptr;  // 预览
    TRadioButton* RadioButton3 = nullptr;  // 设计
    TButton* Button1 = nullptr;            // 确定
    TButton* Button2 = nullptr;            // 取消

    TADOQuery* ADOQuery1 = nullptr;        // the category sums
    TADOQuery* ADOQuery2 = nullptr;        // the receipt's first row (its totals)
    TADOQuery* ADOQuery3 = nullptr;        // the receipt's lines
    TfrxDBDataset* frxDBDataset1 = nullptr;
    TfrxDBDataset* frxDBDataset2 = nullptr;
    TfrxDBDataset* frxDBDataset3 = nullptr;
    TfrxReport* frxReport1 = nullptr;

    // The sums of the receipt shown, from FormShow to "确定".
    const TCategorySums& Sums() const { return FSums; }
    // Loads the template (the built-in model receipt, written out as rove.bl3, when the
    // working folder has none), sets the variables and adds the title; true when the
    // template came from the file. "确定" runs this before the chosen output.
    bool LoadReceipt();
    // The built-in model receipt as report XML.
    const std::string& ModelTemplate() const { return FModelTemplate; }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    // While a print run goes the prompt stays: the close asked for stops the run first.
    void PromptCloseQuery(TObject* Sender, bool& CanClose);
    // True from "确定" with "打印" until the print is done or stopped.
    bool Printing() const { return FPrinting; }

    static void DeclareProperties(TPropertyDecl<Tprintform>& d);

protected:
    void BindFields() override;

private:
    bool LoadTemplate();
    void SetVariables();
    void AddDataSets();
    void AddTitle();

    // A print run without the preview goes on in this window: "取消" or its close stops
    // it (nothing is printed) and the prompt closes after the run.
    void StopPrinting();
    bool FPrinting = false;
    bool FPrintStopped = false;
    TCategorySums FSums{};
    std::string FModelTemplate;
};

extern Tprintform* printform;
