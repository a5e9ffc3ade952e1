// The worker of the crash-consistency test: saves and voids receipts on the clinic database
// named on the command line, for ever, as the front desk does, until it is killed. After
// each committed save it writes 'c' to standard output, after each committed void 'v', so
// the test knows how much work it has seen done. Anything that fails ends the worker with
// status 2 and the reason on standard error.
//
//   crash_worker <database file> <seed>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <random>
#include <string>
#include <vector>

#include "app/charging/ChargeSave.h"
#include "app/charging/ReceiptRules.h"
#include "app/charging/ReceiptVoid.h"
#include "app/database/ClinicDatabase.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/Format.h"

namespace {

struct TItem {
    int Id = 0;
    bool Drug = false;
    double Price = 0;
};

std::unique_ptr<TADOQuery> Query(TADOConnection& Connection, const std::string& Sql) {
    auto q = std::make_unique<TADOQuery>(nullptr);
    q->SetConnection(&Connection);
    q->SQL()->SetText(Sql);
    return q;
}

std::vector<TItem> Items(TADOConnection& Connection) {
    auto q = Query(Connection, "select ID,项目种类,单价 from tb_yp order by ID");
    q->Open();
    std::vector<TItem> items;
    for (; !q->Eof(); q->Next())
        items.push_back({q->Fields()[0]->AsInteger(), q->Fields()[1]->AsString() == "药品项目",
                         q->Fields()[2]->AsFloat()});
    return items;
}

// One receipt line of the item as the charging window writes it; returns its amount.
double AddLine(TADOConnection& Connection, const TItem& Item, double Quantity) {
    auto q = Query(Connection,
                   "insert into tb_temp (id,项目种类,项目类型,项目名称,规格,单位,进价,单价,数量,单项累计)"
                   " select ID,项目种类,项目类型,项目名称,规格,单位,进价,单价,:q,:sum from tb_yp where ID=:id");
    const double amount = Item.Price * Quantity;
    q->Parameters()->ParamByName("q")->SetValue(Variant(Quantity));
    q->Parameters()->ParamByName("sum")->SetValue(Variant(amount));
    q->Parameters()->ParamByName("id")->SetValue(Variant(Item.Id));
    q->ExecSQL();
    return amount;
}

void Report(char Done) {
    if (write(STDOUT_FILENO, &Done, 1) != 1) std::_Exit(0);   // the test has gone
}

[[noreturn]] void Fail(const std::string& Why) {
    std::fprintf(stderr, "crash_worker: %s\n", Why.c_str());
    std::_Exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) Fail("usage: crash_worker <database file> <seed>");
    try {
        std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
        TADOConnection connection(nullptr);
        connection.SetConnectionString(ClinicConnectionString(argv[1]));
        connection.SetLoginPrompt(false);
        connection.Open();
        const std::vector<TItem> items = Items(connection);
        if (items.empty()) Fail("the database has no items");
        const double quantities[] = {1, 2, 0.5, 3.25, 10};
        const TDateTime firstDay = EncodeDate(2024, 3, 1);
        for (;;) {
            // A void of a random stored receipt one time in three, else a new receipt.
            if (random() % 3 == 0) {
                auto head = Query(connection, "select 票据号 from tb_sf where 统计标致='1' order by random() limit 1");
                head->Open();
                if (!head->IsEmpty()) {
                    const std::string number = head->Fields()[0]->AsString();
                    head->Close();
                    const TVoidOutcome voided = VoidReceipt(connection, number);
                    if (!voided.Committed) Fail("void of " + number + ": " + voided.LastError);
                    Report('v');
                    continue;
                }
            }
            // The charging window starts each receipt with no lines; a killed worker may
            // have left some behind.
            Query(connection, "delete from tb_temp")->ExecSQL();
            double due = 0;
            const int lines = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < lines; ++i)
                due += AddLine(connection, items[random() % items.size()], quantities[random() % 5]);
            const TDateTime day = firstDay + static_cast<int>(random() % 60);
            TChargeReceipt receipt;
            receipt.Counter = NextReceiptCounter(connection, day);
            receipt.ReceiptNo = FormatReceiptNumber(day, receipt.Counter);
            receipt.ChargeDate = day;
            receipt.PatientId = 1;
            receipt.PatientName = "张三";
            receipt.Doctor = "李医生";
            receipt.Department = "内科";
            receipt.Due = Currency::FromDouble(due).Round(2);
            receipt.Reduction = Currency::FromInt(random() % 3);
            receipt.Received = receipt.Due - receipt.Reduction + Currency::FromInt(random() % 50);
            receipt.Change = receipt.Received - (receipt.Due - receipt.Reduction);
            receipt.ChargeType = "普通收费";
            receipt.ChargeTime = "09:15:00";
            receipt.Cashier = "tulvo";
            const TChargeSaveOutcome saved = SaveCharge(connection, receipt, day);
            if (!saved.Committed) Fail("save: " + saved.LastError);
            if (saved.Lines != lines) Fail("save wrote " + std::to_string(saved.Lines) + " lines of " + std::to_string(lines));
            Report('c');
        }
    } catch (const std::exception& e) {
        Fail(e.what());
    }
}
