// Random use of the program's windows: a driver that gives a window random mouse and key
// input through the test harness's window-level input (clicks and drags at points of the
// controls that show there, keys to whatever holds the focus, typed text, wheel turns, menu
// commands, time passing on the harness's clock), acting inside every modal window that
// opens and answering every message box. Each event is written to a log before it is
// given, so that a run that dies leaves the list that killed it; a log is replayed event by
// event, and a failing log is shortened to the few events that still fail.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TCustomForm;
class TUiTestHarness;

// The harness the windows and the events share (made on first use, kept to the end).
TUiTestHarness& MonkeyHarness();

// A window under test: made on Open, shown again (or made anew) when the events closed it.
class TMonkeyWindow {
public:
    virtual ~TMonkeyWindow() = default;
    virtual void Open() = 0;
    // The window the events start from; nullptr when it went (it is then opened again).
    virtual TCustomForm* Main() = 0;
    // The windows that take events besides modal ones: every shown top-level form
    // (the clinic opens its windows beside the main one).
    virtual bool AllForms() const { return false; }
};

// The windows: "designer-receipt", "designer-pages", "preview", "clinic".
std::unique_ptr<TMonkeyWindow> MakeMonkeyWindow(const std::string& Name);
std::vector<std::string> MonkeyWindowNames();

// One event as the log holds it: a line of words.
struct TMonkeyEvent {
    int Depth = 0;            // modal windows open beneath it (0: the window's own level)
    std::string Line;         // kind and arguments
};

// How long one event may take before the run ends as a fault (180 s unless set).
void SetMonkeyEventSeconds(unsigned Seconds);

// Runs Count random events from Seed, writing each to LogFile before giving it. Returns
// the events given.
int RunMonkey(TMonkeyWindow& Window, uint64_t Seed, int Count, const std::string& LogFile);
// Gives the events of LogFile again, in order.
int ReplayMonkey(TMonkeyWindow& Window, const std::string& LogFile);
std::vector<TMonkeyEvent> ReadMonkeyLog(const std::string& LogFile);
void WriteMonkeyLog(const std::vector<TMonkeyEvent>& Events, const std::string& LogFile);
