// Tsfform: the charging window, where the cashier prices and charges one receipt at a
// time. Enter moves through patient code, doctor code, item code and quantity (repeated
// per item) to the amount received, whose Enter saves the receipt. The lines collect in
// tb_temp and show in the line grid. Other windows read and write this window's controls:
// the login fills the cashier field Edit12 (read everywhere as the operator), the patient
// window hands a new patient back while CheckBox1 is checked, the discount window writes
// the amount due, the reduction Label24 and the list title Label23.
#pragma once

#include "app/charging/Transactions.h"
#include "platform/ui/Forms.h"

#include <functional>
#include <string>

class TLabel;
class TEdit;
class TComboBox;
class TCheckBox;
class TTimer;
class TFlatButton;
class TDBGrid;
class TToolBar;
class TADOTable;
class TADOQuery;
class TDataSource;
class TDataSet;

class Tsfform : public TForm {
    ROVE_CLASS(Tsfform, TForm)
public:
    explicit Tsfform(TComponent* AOwner);
    ~Tsfform() override;

    TLabel* Label3 = nullptr;      // receipt number
    TLabel* Label5 = nullptr;      // date of the receipt
    TLabel* Label20 = nullptr;     // the time, refreshed every second
    TLabel* Label15 = nullptr;     // hidden: unit of the item
    TLabel* Label21 = nullptr;     // hidden: patient id
    TLabel* Label22 = nullptr;     // hidden: item type
    TLabel* Label23 = nullptr;     // list title; its first four characters are the charge type
    TLabel* Label24 = nullptr;     // hidden: reduction
    TLabel* Label25 = nullptr;     // hidden: purchase price of a drug
    TEdit* Edit1 = nullptr;        // patient code, then name
    TComboBox* ComboBox1 = nullptr;    // patient sex
    TEdit* Edit2 = nullptr;        // patient age
    TEdit* Edit3 = nullptr;        // doctor code, then name
    TEdit* Edit4 = nullptr;        // department
    TEdit* Edit5 = nullptr;        // item code, then name
    TEdit* Edit6 = nullptr;        // unit price
    TEdit* Edit7 = nullptr;        // pack size (规格)
    TEdit* Edit8 = nullptr;        // quantity
    TEdit* Edit9 = nullptr;        // amount due
    TEdit* Edit10 = nullptr;       // amount received
    TEdit* Edit11 = nullptr;       // change
    TEdit* Edit12 = nullptr;       // the cashier
    TCheckBox* CheckBox1 = nullptr;    // hidden: checked while the window is shown
    TTimer* Timer1 = nullptr;
    TDBGrid* DBGrid1 = nullptr;        // the lines (tb_temp); a double-click deletes one
    TToolBar* ToolBar1 = nullptr;     // the main window's brzl, xmzl, sfcx and pjzf, and closing
    TFlatButton* FlatButton1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;    // the line sum
    TADOTable* ADOTable2 = nullptr;    // tb_temp, the receipt's lines
    TDataSource* DataSource1 = nullptr;
    TADOQuery* ADOQuery2 = nullptr;    // patients found by code
    TDataSource* DataSource2 = nullptr;
    TADOQuery* ADOQuery3 = nullptr;    // doctors found by code
    TDataSource* DataSource3 = nullptr;
    TADOQuery* ADOQuery4 = nullptr;    // items found by code (also the stock windows' drug pick)
    TDataSource* DataSource4 = nullptr;

    // Draws the day's next receipt number into Label3 and the date into Label5.
    void NextReceiptNumber();
    // Empties the entry of the receipt (not its lines).
    void ResetChargeEntry();
    // The amount due proposed as the amount received, selected in the focused field, so
    // that the amount typed replaces it (the start-charging prompt and the discount).
    void ProposeReceivedAmount();
    // How the save retries (the tests make the pauses instant).
    TRetryPolicy RetryPolicy;
    // The counter of the receipt number in Label3.
    int ReceiptCounter() const { return FCounter; }

    // The receipt print prompt, called with the number of each saved receipt before the
    // window moves on to the next one. Until the print prompt joins the program, a save
    // goes on without it.
    using TReceiptPrintPrompt = std::function<void(const std::string& ReceiptNo)>;
    static void SetReceiptPrintPrompt(TReceiptPrintPrompt Prompt);

    // --- Handlers ----------------------------------------------------------------------
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Timer1Timer(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit3KeyPress(TObject* Sender, char32_t& Key);
    void Edit5KeyPress(TObject* Sender, char32_t& Key);
    void Edit8KeyPress(TObject* Sender, char32_t& Key);
    void Edit10Click(TObject* Sender);
    void Edit10KeyPress(TObject* Sender, char32_t& Key);
    void DBGrid1DblClick(TObject* Sender);
    void FlatButton1Click(TObject* Sender);
    void CloseButtonClick(TObject* Sender);
    void ADOTable2AfterPost(TDataSet* DataSet);
    void ADOTable2AfterDelete(TDataSet* DataSet);

    static void DeclareProperties(TPropertyDecl<Tsfform>& d);

protected:
    void BindFields() override;

private:
    // The pinyin filter of the code fields; false when the key was refused.
    bool FilterPinyinKey(char32_t& Key);
    // Runs a look-up query with the typed code as a prefix (bound, not pasted into SQL).
    static void OpenByCode(TADOQuery* Query, const std::string& Sql, const std::string& Code);
    // Shows the candidate window under Field with one of its grids; true for a choice.
    bool PickCandidate(TEdit* Field, int Grid);
    void TakePatient();
    void TakeDoctor();
    void TakeItem();
    void AddLine();
    void ClearItemEntry();   // the item fields emptied, the focus on the item code
    // The amount due read again when a refused read left it empty while there are lines.
    void TotalLines();
    void LinesChanged();
    void SaveReceipt();
    void Message(const std::string& Text);

    std::string FItemId;           // tb_yp key of the current item, as text
    std::string FItemKind;         // its 项目种类
    double FStock = 0;             // for drugs: stock and low-stock limit
    double FLimit = 0;
    int FCounter = 0;              // the day's counter of Label3
};

extern Tsfform* sfform;
