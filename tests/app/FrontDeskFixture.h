// A fresh clinic database in a temporary directory, a connection to it, and helpers that
// put items and receipt lines in place and read rows back as text.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/database/ClinicDatabase.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Format.h"

class FrontDeskTempDir {
public:
    FrontDeskTempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "rove-frontdesk-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        FPath = pattern;
    }
    ~FrontDeskTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    const std::string& Path() const { return FPath; }
    std::string File() const { return FPath + "/" + ClinicDatabaseFileName; }

private:
    std::string FPath;
};

class FrontDeskDb : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(EnsureClinicDatabase(Dir.Path()), TClinicDatabaseState::Created);
        Connection = Connect();
    }

    std::unique_ptr<TADOConnection> Connect() {
        auto connection = std::make_unique<TADOConnection>(nullptr);
        connection->SetConnectionString(ClinicConnectionString(Dir.File()));
        connection->SetLoginPrompt(false);
        connection->Open();
        return connection;
    }

    std::unique_ptr<TADOQuery> Query(const std::string& sql) {
        auto q = std::make_unique<TADOQuery>(nullptr);
        q->SetConnection(Connection.get());
        q->SQL()->SetText(sql);
        return q;
    }
    void Exec(const std::string& sql) { Query(sql)->ExecSQL(); }
    // The rows of a statement, each as its fields' texts joined by "|".
    std::vector<std::string> Rows(const std::string& sql) {
        auto q = Query(sql);
        q->Open();
        std::vector<std::string> rows;
        for (; !q->Eof(); q->Next()) {
            std::string row;
            for (int i = 0; i < q->FieldCount(); ++i)
                row += (i ? "|" : "") + q->Fields()[i]->AsString();
            rows.push_back(row);
        }
        return rows;
    }
    std::string Text(const std::string& sql) {
        auto rows = Rows(sql);
        return rows.empty() ? std::string() : rows.front();
    }
    int Count(const std::string& table) {
        auto q = Query("select count(*) from " + table);
        q->Open();
        return q->Fields()[0]->AsInteger();
    }

    // A drug with its stock or an examination item (stock and limit then stay empty).
    int AddItem(const std::string& kind, const std::string& type, const std::string& name,
                const std::string& code, double cost, double price, double stock = 0,
                double limit = 0, const std::string& spec = "10片") {
        auto q = Query(
            "insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,"
            "进价金额,销价金额,库存下限,药品产地) values (:a,:b,:c,:d,:e,'盒',:f,:g,:h,:i,:j,:k,'本地')");
        const bool drug = kind == "药品项目";
        auto p = q->Parameters();
        p->ParamByName("a")->SetValue(Variant(kind));
        p->ParamByName("b")->SetValue(Variant(type));
        p->ParamByName("c")->SetValue(Variant(name));
        p->ParamByName("d")->SetValue(Variant(code));
        p->ParamByName("e")->SetValue(Variant(spec));
        p->ParamByName("f")->SetValue(drug ? Variant(cost) : Variant::Null());
        p->ParamByName("g")->SetValue(Variant(price));
        p->ParamByName("h")->SetValue(drug ? Variant(stock) : Variant::Null());
        p->ParamByName("i")->SetValue(drug ? Variant(cost * stock) : Variant::Null());
        p->ParamByName("j")->SetValue(drug ? Variant(price * stock) : Variant::Null());
        p->ParamByName("k")->SetValue(drug ? Variant(limit) : Variant::Null());
        q->ExecSQL();
        auto id = Query("select max(ID) from tb_yp");
        id->Open();
        return id->Fields()[0]->AsInteger();
    }

    // A receipt line of the item as the charging window writes it.
    void AddLine(int itemId, double quantity) {
        auto item = Query("select * from tb_yp where ID=:id");
        item->Parameters()->ParamByName("id")->SetValue(Variant(itemId));
        item->Open();
        const bool drug = item->FieldByName("项目种类")->AsString() == "药品项目";
        const double price = item->FieldByName("单价")->AsFloat();
        auto q = Query(
            "insert into tb_temp (id,项目种类,项目类型,项目名称,规格,单位,进价,单价,数量,单项累计)"
            " values (:id,:a,:b,:c,:d,:e,:f,:g,:h,:i)");
        auto p = q->Parameters();
        p->ParamByName("id")->SetValue(Variant(itemId));
        p->ParamByName("a")->SetValue(Variant(item->FieldByName("项目种类")->AsString()));
        p->ParamByName("b")->SetValue(Variant(item->FieldByName("项目类型")->AsString()));
        p->ParamByName("c")->SetValue(Variant(item->FieldByName("项目名称")->AsString()));
        p->ParamByName("d")->SetValue(Variant(item->FieldByName("规格")->AsString()));
        p->ParamByName("e")->SetValue(Variant(item->FieldByName("单位")->AsString()));
        p->ParamByName("f")->SetValue(drug ? Variant(item->FieldByName("进价")->AsFloat()) : Variant::Null());
        p->ParamByName("g")->SetValue(Variant(Format("%.3f", {price})));
        p->ParamByName("h")->SetValue(Variant(quantity));
        p->ParamByName("i")->SetValue(Variant(Format("%.3f", {price * quantity})));
        q->ExecSQL();
    }

    // What a save or a void may change, as text, to prove that a failure changed nothing.
    std::vector<std::string> Snapshot() {
        std::vector<std::string> all;
        for (const char* sql : {"select * from tb_sf order by id", "select * from tb_zfsf order by id",
                                "select * from tb_yp order by ID", "select * from tb_temp order by rowid",
                                "select * from tb_brzl order by id", "select * from tb_brbh"}) {
            all.push_back(std::string("-- ") + sql);
            for (auto& row : Rows(sql)) all.push_back(row);
        }
        return all;
    }

    FrontDeskTempDir Dir;
    std::unique_ptr<TADOConnection> Connection;
};
