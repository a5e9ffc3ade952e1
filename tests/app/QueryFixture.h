// The clinic program started in a folder of the test's own, with its windows created, and
// helpers that put receipts, voided receipts, drugs and stock-in records in place.
#pragma once

#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/Startup.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/DateTime.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QueryWindows : public ::testing::Test {
protected:
    using H = TUiTestHarness;

    void SetUp() override {
        FOldDir = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "queries-window-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        FDir = pattern;
        std::filesystem::current_path(FDir);
        harness = std::make_unique<TUiTestHarness>();
        harness->SetClock([] { return EncodeDate(2024, 3, 7) + 0.4; });
        ASSERT_TRUE(CreateClinicWindows()) << Joined(harness->DialogTexts());
        sfform->Edit12->SetText("tulvo");
    }

    void TearDown() override {
        EXPECT_TRUE(harness->Errors().empty()) << Joined(harness->Errors());
        EXPECT_EQ(harness->PendingDrivers(), 0);
        EXPECT_EQ(harness->PendingAnswers(), 0);
        DestroyClinicForms();
        harness.reset();
        SetClock(nullptr);
        std::filesystem::current_path(FOldDir);
        std::error_code ec;
        std::filesystem::remove_all(FDir, ec);
    }

    static std::string Joined(const std::vector<std::string>& v) {
        std::string s;
        for (const std::string& x : v) s += x + "\n";
        return s;
    }
    static TADOConnection& Db() { return *datamoduleform->ADOConnection1; }

    // A statement with its parameters given in order as :p0, :p1, ...
    static void Exec(const std::string& sql, const std::vector<Variant>& params = {}) {
        TADOQuery q(nullptr);
        q.SetConnection(&Db());
        q.SQL()->SetText(sql);
        for (size_t i = 0; i < params.size(); ++i)
            q.Parameters()->ParamByName("p" + std::to_string(i))->SetValue(params[i]);
        q.ExecSQL();
    }
    static std::vector<std::string> Rows(const std::string& sql) {
        TADOQuery q(nullptr);
        q.SetConnection(&Db());
        q.SQL()->SetText(sql);
        q.Open();
        return RowsOf(q);
    }
    // The rows of an open dataset from its first, each as its fields' texts joined by "|";
    // the current record is put back.
    static std::vector<std::string> RowsOf(TDataSet& data, std::vector<std::string> fields = {}) {
        std::vector<std::string> rows;
        if (!data.Active()) return rows;
        const int at = data.RecNo();
        for (data.First(); !data.Eof(); data.Next()) {
            std::string row;
            if (fields.empty())
                for (int i = 0; i < data.FieldCount(); ++i) row += (i ? "|" : "") + data.Fields()[i]->AsString();
            else
                for (size_t i = 0; i < fields.size(); ++i) row += (i ? "|" : "") + data.FieldByName(fields[i])->AsString();
            rows.push_back(row);
        }
        if (at > 0) data.SetRecNo(at);
        return rows;
    }
    static std::string Text(const std::string& sql) {
        auto rows = Rows(sql);
        return rows.empty() ? std::string() : rows.front();
    }

    struct TLine {
        const char* Kind;
        int ItemId;
        const char* Name;
        double Quantity;
        double Price;
        const char* Type = "西药费";
    };
    // A receipt as the charge save writes it: totals on the first line only. Table is tb_sf
    // or tb_zfsf (a voided receipt).
    static void AddReceipt(const char* table, const std::string& no, TDateTime day, const std::string& patient,
                           const std::string& doctor, const std::string& department, const std::string& cashier,
                           const std::string& type, double reduction, const std::vector<TLine>& lines) {
        double due = 0;
        for (const TLine& l : lines) due += l.Quantity * l.Price;
        due -= reduction;
        bool first = true;
        for (const TLine& l : lines) {
            const double total = l.Quantity * l.Price;
            Exec(std::string("insert into ") + table +
                     " (流水号,票据号,病人id,病人姓名,病人性别,病人年龄,医生姓名,医生科室,项目种类,项目类型,项目ID,"
                     "项目名称,项目规格,数量,进价,销价,单项累计,应收金额,实收金额,应找金额,减免金额,收费类型,收费日期,"
                     "收费时间,收费员,统计标致) values (:p0,:p1,1,:p2,'男','30',:p3,:p4,:p5,:p18,:p6,:p7,'10片',"
                     ":p8,1,:p9,:p10,:p11,:p12,0,:p13,:p14,:p15,'09:00:00',:p16,:p17)",
                 {Variant(std::stoi(no.substr(6))), Variant(no), Variant(patient), Variant(doctor),
                  Variant(department), Variant(l.Kind), Variant(l.ItemId), Variant(l.Name), Variant(l.Quantity),
                  Variant(l.Price), Variant(total), Variant(first ? due : 0.0), Variant(first ? due : 0.0),
                  Variant(first ? reduction : 0.0), Variant(type), Variant::FromDate(day), Variant(cashier),
                  Variant(first ? "1" : "0"), Variant(l.Type)});
            first = false;
        }
    }

    // A drug with its stock, limit and expiry (0: none); returns its ID.
    static int AddDrug(const std::string& name, const std::string& code, const std::string& spec, double cost,
                       double price, double stock, double limit, TDateTime expiry) {
        Exec("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,进价金额,销价金额,"
             "批号,失效日期,库存下限,药品产地) values ('药品项目','西药费',:p0,:p1,:p2,'盒',:p3,:p4,:p5,:p6,:p7,"
             "'B1',:p8,:p9,'本地')",
             {Variant(name), Variant(code), Variant(spec), Variant(cost), Variant(price), Variant(stock),
              Variant(cost * stock), Variant(price * stock), expiry ? Variant::FromDate(expiry) : Variant::Null(),
              Variant(limit)});
        return std::stoi(Text("select max(ID) from tb_yp"));
    }
    static int AddExam(const std::string& name, const std::string& code, double price) {
        Exec("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,单价) values "
             "('检查项目','检查费',:p0,:p1,'次','次',:p2)",
             {Variant(name), Variant(code), Variant(price)});
        return std::stoi(Text("select max(ID) from tb_yp"));
    }
    // A stock-in record as the stock-in window writes it.
    static void AddStockIn(TDateTime day, int drugId, const std::string& name, const std::string& spec,
                           double cost, double price, double quantity) {
        Exec("insert into tb_yprk (入库日期,药品名称,规格,单位,批号,进价,单价,入库数量,入库金额,产地,药品ID,操作员) "
             "values (:p0,:p1,:p2,'盒','B1',:p3,:p4,:p5,:p6,'本地',:p7,'tulvo')",
             {Variant::FromDate(day), Variant(name), Variant(spec), Variant(cost), Variant(price), Variant(quantity),
              Variant(quantity * cost), Variant(drugId)});
    }

    std::unique_ptr<TUiTestHarness> harness;

private:
    std::filesystem::path FOldDir;
    std::filesystem::path FDir;
};
