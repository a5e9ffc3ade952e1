// Report datasets: the record sources the layout engine, aggregates, views and scripts
// read. TfrxDataSet navigates inside a range and answers field values and texts by field
// name; TfrxUserDataSet takes them from events; TfrxDBDataset reads a database dataset
// (directly or through a data source), with field aliases. Every report dataset is in one
// process-wide list, where views find theirs by user name.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/db/DB.h"
#include "report/DialogComponent.h"

class TStrings;
class TStringList;

ROVE_ENUM(TfrxRangeBegin, rbFirst, rbCurrent)
ROVE_ENUM(TfrxRangeEnd, reLast, reCurrent, reCount)
ROVE_ENUM(TfrxFieldType, fftNumeric, fftString, fftBoolean)

// The signature of the window layer's TCloseQueryEvent, whose type name it shares (one
// name per signature): the unit that publishes it includes platform/ui/Forms.h.
using TfrxCheckEOFEvent = TEvent<void(TObject* Sender, bool& Eof)>;
// (const VarName; var Value): user datasets and the report's last-resort look-up.
using TfrxGetValueEvent = TEvent<void(const std::string& VarName, Variant& Value)>;
ROVE_EVENT_TYPE(TfrxGetValueEvent)

class TfrxDataSet : public TfrxDialogComponent {
    ROVE_CLASS(TfrxDataSet, TfrxDialogComponent)
public:
    explicit TfrxDataSet(TComponent* AOwner);
    ~TfrxDataSet() override;

    // When UserName is empty or equal to the old name, it follows the rename.
    void SetName(const std::string& NewName) override;
    const std::string& UserName() const { return FUserName; }
    // A name that is blank after trimming raises EfrxError "prInvProp".
    virtual void SetUserName(const std::string& Value);

    bool CloseDataSource = false;
    bool Enabled = true;
    bool OpenDataSource = true;
    TfrxRangeBegin RangeBegin = rbFirst;
    TfrxRangeEnd RangeEnd = reLast;
    int RangeEndCount = 0;
    // The report the dataset serves during a run (set by the report's dataset list).
    TfrxReport* ReportRef = nullptr;

    TfrxCheckEOFEvent OnCheckEOF;
    TNotifyEvent OnFirst, OnNext, OnPrior, OnOpen, OnClose;

    // Field access by name (Index is always a field name).
    virtual std::string GetDisplayText(const std::string& Index);
    virtual int GetDisplayWidth(const std::string& Index);
    virtual TfrxFieldType GetFieldType(const std::string& Index);
    virtual Variant GetValue(const std::string& Index);
    // The run: Initialize, Activate before reading, First/Next/Eof, Finalize.
    virtual void Initialize() {}
    virtual void Activate() {}
    virtual void Finalize() {}
    virtual void Open();
    virtual void Close();
    virtual void First();
    virtual void Next();
    virtual void Prior();
    virtual bool Eof();
    virtual int FieldsCount() { return 0; }
    virtual bool IsBlobField(const std::string& Index) { return false; }
    // Copies a blob into Target: a picture (TPersistent) or a stream (TStream*).
    virtual void AssignBlobTo(const std::string& Index, TPersistent* Target) {}
    virtual void AssignBlobTo(const std::string& Index, TStream* Target) {}
    virtual void GetFieldList(TStrings* List);
    bool HasField(const std::string& Name);
    int RecNo() const { return FRecNo; }

    static void DeclareProperties(TPropertyDecl<TfrxDataSet>& d);

protected:
    bool FInitialized = false;
    int FRecNo = 0;

private:
    std::string FUserName;
};

class TfrxUserDataSet : public TfrxDataSet {
    ROVE_CLASS(TfrxUserDataSet, TfrxDataSet)
public:
    explicit TfrxUserDataSet(TComponent* AOwner);
    ~TfrxUserDataSet() override;
    TStringList* Fields() const { return FFields.get(); }
    void SetFields(TStringList* Value);
    TfrxGetValueEvent OnGetValue;

    void GetFieldList(TStrings* List) override;
    int FieldsCount() override;
    Variant GetValue(const std::string& Index) override;
    std::string GetDisplayText(const std::string& Index) override;

    static void DeclareProperties(TPropertyDecl<TfrxUserDataSet>& d);

private:
    std::unique_ptr<TStringList> FFields;
};

class TfrxCustomDBDataSet : public TfrxDataSet {
    ROVE_CLASS(TfrxCustomDBDataSet, TfrxDataSet)
public:
    explicit TfrxCustomDBDataSet(TComponent* AOwner);
    ~TfrxCustomDBDataSet() override;
    // "dbfield=alias" lines.
    TStringList* FieldAliases() const { return FFieldAliases.get(); }
    void SetFieldAliases(TStringList* Value);
    // The database field name of a report field name (the left side of the first
    // line whose alias equals it, case ignored), else the name itself.
    std::string ConvertAlias(const std::string& Name) const;
    int FieldsCount() override;

    static void DeclareProperties(TPropertyDecl<TfrxCustomDBDataSet>& d);

protected:
    // Report field name (case ignored, sorted) with the database field as its object.
    std::unique_ptr<TStringList> FFields;

private:
    std::unique_ptr<TStringList> FFieldAliases;
};

class TfrxDBDataset : public TfrxCustomDBDataSet {
    ROVE_CLASS(TfrxDBDataset, TfrxCustomDBDataSet)
public:
    explicit TfrxDBDataset(TComponent* AOwner);
    ~TfrxDBDataset() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* Value);
    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* Value);
    // The DataSet, else the DataSource's dataset, else none.
    TDataSet* GetDataSet() const;

    void Initialize() override;
    void Activate() override;
    void Finalize() override;
    void Open() override;
    void Close() override;
    void First() override;
    void Next() override;
    void Prior() override;
    bool Eof() override;
    void GetFieldList(TStrings* List) override;
    std::string GetDisplayText(const std::string& Index) override;
    int GetDisplayWidth(const std::string& Index) override;
    TfrxFieldType GetFieldType(const std::string& Index) override;
    Variant GetValue(const std::string& Index) override;
    // The database field behind a report field name, once the dataset is active (GetValue
    // reads it without opening anything or reporting an error); nullptr otherwise.
    TField* ActiveField(const std::string& Name) const { return FInitialized ? TableField(Name) : nullptr; }
    bool IsBlobField(const std::string& Index) override;
    void AssignBlobTo(const std::string& Index, TPersistent* Target) override;
    void AssignBlobTo(const std::string& Index, TStream* Target) override;

    void Notification(TComponent* AComponent, TOperation Operation) override;

    static void DeclareProperties(TPropertyDecl<TfrxDBDataset>& d);

private:
    void AfterOpen(TDataSet* Sender);
    void BuildFieldTable();
    TField* TableField(const std::string& Name) const;
    std::string ReferenceText(const std::string& Field) const;
    void ReportError(const std::string& Text) const;
    TDataSet* FDataSet = nullptr;
    TDataSource* FDataSource = nullptr;
    TDataSet* FHooked = nullptr;
    TBookmark FBookmark;
    bool FEof = false;
    TDataSetNotifyEvent FSaveOpenEvent;
    // TableField's spellings found, valid while the field table has this stamp.
    mutable std::unordered_map<std::string, TField*> FFound;
    mutable uint64_t FFoundStamp = 0;
};

// The process-wide list of report datasets, in creation order.
const std::vector<TfrxDataSet*>& frxDataSets();
// The dataset a view names: empty Name gives nullptr; without a report the current
// reference stays; so does a current reference of that user name (case ignored) owned
// by this report or by no report; else the first such dataset of the list; without a
// match the current reference stays.
TfrxDataSet* frxFindDataSet(TfrxDataSet* DataSet, std::string_view Name, TComponent* Report);
// Clears List and adds the user name and object of every dataset that has a user name.
void frxGetDataSetList(TStrings* List);
