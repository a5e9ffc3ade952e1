// What the clinic's windows do while a statement waits for a lock that another program
// holds on the database: they repaint (typed keys and clicks wait), and once the wait has
// lasted a moment the active window shows that the program is waiting, with the hourglass.
// Both go when the program is back in its event loop. The data module connects its
// connection here.
#pragma once

class TPanel;

// The connection's wait hook: WaitedMs is how long the statement has waited so far.
void ClinicDatabaseWaits(int WaitedMs);
// The notice while it is shown, else nullptr (for tests).
TPanel* ClinicDatabaseWaitNotice();
