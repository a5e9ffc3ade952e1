// The ten-attempt transaction shared by the charge save and the void: BeginTrans, the work,
// CommitTrans; a failed attempt is rolled back, the pause runs, and the next attempt starts
// from the beginning of the work. Nothing of a failed attempt stays in the database.
#pragma once

#include <functional>
#include <string>

class TADOConnection;

struct TRetryPolicy {
    int Attempts = 10;
    unsigned PauseMs = 50;
    // The pause between attempts; Sleep on the calling thread unless replaced.
    std::function<void(unsigned Milliseconds)> Pause;
    // How long one attempt waits for a lock that another program holds (milliseconds; 0
    // keeps the connection's own wait, and a shorter one of the connection's stays): ten
    // attempts of 300 ms and their pauses tell the cashier within four seconds.
    int AttemptWaitMs = 300;
};

struct TTransactionOutcome {
    bool Committed = false;
    int FailedAttempts = 0;
    // The text of the last failure (empty after a commit on the first attempt).
    std::string LastError;
};

// Runs Work inside a transaction until one attempt commits or Policy.Attempts attempts
// have failed. An exception from Work, from BeginTrans or from CommitTrans fails the
// attempt; Work must therefore redo everything each time it is called.
TTransactionOutcome RunWithRetries(TADOConnection& Connection, const TRetryPolicy& Policy,
                                   const std::function<void()>& Work);

// Runs Work once inside a transaction: an exception from Work, BeginTrans or CommitTrans
// rolls everything back and goes on to the caller, so a change of several statements is
// stored whole or not at all.
void RunInTransaction(TADOConnection& Connection, const std::function<void()>& Work);
