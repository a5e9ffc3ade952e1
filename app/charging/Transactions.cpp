#include "app/charging/Transactions.h"

#include "platform/db/ADODB.h"
#include "platform/rtl/FileUtils.h"

#include <algorithm>
#include <exception>

namespace {
// Ends whatever the failed attempt left open; a rollback that fails itself (the
// connection lost) must not hide the first error.
void RollbackQuietly(TADOConnection& Connection) {
    while (Connection.InTransaction()) {
        try {
            Connection.RollbackTrans();
        } catch (const std::exception&) {
        }
    }
}
}  // namespace

TTransactionOutcome RunWithRetries(TADOConnection& Connection, const TRetryPolicy& Policy,
                                   const std::function<void()>& Work) {
    // Each attempt waits the policy's time for a lock at most; the connection's own wait
    // comes back afterwards.
    struct TWaitScope {
        TADOConnection& Connection;
        int Saved;
        TWaitScope(TADOConnection& C, int Wait) : Connection(C), Saved(C.BusyTimeout()) {
            if (Wait > 0) Connection.SetBusyTimeout(std::min(Saved, Wait));
        }
        ~TWaitScope() { Connection.SetBusyTimeout(Saved); }
    } wait(Connection, Policy.AttemptWaitMs);
    TTransactionOutcome outcome;
    const int attempts = Policy.Attempts > 0 ? Policy.Attempts : 1;
    while (!outcome.Committed && outcome.FailedAttempts < attempts) {
        try {
            Connection.BeginTrans();
            Work();
            Connection.CommitTrans();
            outcome.Committed = true;
        } catch (const std::exception& e) {
            RollbackQuietly(Connection);
            outcome.LastError = e.what();
            ++outcome.FailedAttempts;
            if (outcome.FailedAttempts >= attempts) break;
            if (Policy.Pause) Policy.Pause(Policy.PauseMs);
            else Sleep(Policy.PauseMs);
        }
    }
    return outcome;
}

void RunInTransaction(TADOConnection& Connection, const std::function<void()>& Work) {
    const bool outer = !Connection.InTransaction();
    Connection.BeginTrans();
    try {
        Work();
        Connection.CommitTrans();
    } catch (...) {
        if (outer) {
            RollbackQuietly(Connection);
        } else {
            try {
                Connection.RollbackTrans();
            } catch (const std::exception&) {
            }
        }
        throw;
    }
}
