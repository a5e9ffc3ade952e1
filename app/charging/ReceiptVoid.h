// Voiding a receipt: every tb_sf row of the number moves to tb_zfsf unchanged and the
// drugs on it go back into stock, in one transaction of at most ten attempts. Each attempt
// works on the whole receipt with set statements, so a retry can never leave part of a
// receipt behind, and the stock returned is that of the rows moved by the same attempt.
#pragma once

#include <string>

#include "app/charging/Transactions.h"

class TADOConnection;

struct TReceiptHead {
    bool Found = false;
    std::string ReceiptNo;
    std::string PatientName;
};

// The first row of a receipt (its number and patient), as the void asks about it.
TReceiptHead FindReceipt(TADOConnection& Connection, const std::string& ReceiptNo);

struct TVoidOutcome : TTransactionOutcome {
    int Lines = 0;                   // the rows moved
};

TVoidOutcome VoidReceipt(TADOConnection& Connection, const std::string& ReceiptNo,
                         const TRetryPolicy& Policy = {});
