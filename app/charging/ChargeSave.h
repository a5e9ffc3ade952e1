// The charge save: the lines of the receipt being entered (tb_temp) become charge lines
// (tb_sf) and the stock of the drugs on them goes down, in one transaction of at most ten
// attempts. The receipt number is checked inside the transaction: when another save took
// it since it was drawn, or the day has changed, the receipt is stored under the day's
// next number instead, and the outcome says so. The lines are emptied in the same
// transaction, so a stored receipt can never be saved a second time.
#pragma once

#include <string>

#include "app/charging/Transactions.h"
#include "platform/rtl/Currency.h"
#include "platform/rtl/DateTime.h"

class TADOConnection;

// What the charging window holds for the receipt as a whole.
struct TChargeReceipt {
    int Counter = 0;                 // 流水号 as drawn
    std::string ReceiptNo;           // 票据号 as drawn
    TDateTime ChargeDate = 0;        // the day the number was drawn for
    int PatientId = 0;
    std::string PatientName;
    std::string PatientSex;
    std::string PatientAge;
    std::string Doctor;
    std::string Department;
    Currency Due;                    // 应收金额
    Currency Received;               // 实收金额
    Currency Change;                 // 应找金额
    Currency Reduction;              // 减免金额
    std::string ChargeType;          // 收费类型
    std::string ChargeTime;          // 收费时间 "hh:mm:ss"
    std::string Cashier;             // 收费员
};

struct TChargeSaveOutcome : TTransactionOutcome {
    // What the receipt was stored under (equal to the drawn values unless renumbered).
    int Counter = 0;
    std::string ReceiptNo;
    TDateTime ChargeDate = 0;
    bool Renumbered = false;
    int Lines = 0;                   // the tb_sf rows written
};

// Saves the receipt; Today is the day of the save (the charge date stays the drawn one
// unless the number has to be drawn again). After the last failed attempt the database
// and tb_temp are as they were before the call.
TChargeSaveOutcome SaveCharge(TADOConnection& Connection, const TChargeReceipt& Receipt,
                              TDateTime Today, const TRetryPolicy& Policy = {});

// The number of lines of the receipt being entered.
int ChargeLineCount(TADOConnection& Connection);
