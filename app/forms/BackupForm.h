// Tsjbfform: the backup window (right 41, and shown modally when the user agrees to a backup
// on leaving). It writes a copy of the open clinic database into the chosen folder under the
// name <mmddhhmm>bf.mdb and remembers the folder in tb_bflj. The copy goes through the
// database's own backup, so a live database gives a consistent file; a copy that fails is
// reported and leaves the folder, the stored path and the clearing window's backup mark as
// they were.
#pragma once

#include "platform/ui/Forms.h"

#include <string>

class TLabel;
class TEdit;
class TButton;
class TSpeedButton;
class TADOQuery;

class Tsjbfform : public TForm {
    ROVE_CLASS(Tsjbfform, TForm)
public:
    explicit Tsjbfform(TComponent* AOwner);
    ~Tsjbfform() override;

    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;               // the backup folder, ending with "/"
    TSpeedButton* SpeedButton1 = nullptr; // 浏览
    TButton* Button1 = nullptr;           // 确定保存
    TADOQuery* ADOQuery1 = nullptr;       // tb_bflj

    void FormShow(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void Button1Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tsjbfform>& d);

protected:
    void BindFields() override;

private:
    void StoreBackupPath(const std::string& Path);
};

extern Tsjbfform* sjbfform;

// The name of a backup made at Stamp: "mmddhhmm" + "bf.mdb".
std::string BackupFileName(double Stamp);
