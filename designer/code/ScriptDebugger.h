// Script debugging on the code page: the report script runs, stops before a line, steps
// line by line, runs to the caret line, stops, and is inspected with the evaluate window,
// all in the one GUI thread. The script engine calls a hook before every statement; while
// the debugger holds the script there, a nested event loop waits for the user (it sleeps
// until an event comes; nothing spins), so the designer stays usable while the script's
// call stack waits below.
//
// The designer window owns one debugger, gives it the report, the code editor and the run
// of the report that its preview command makes, and routes its Run, Step, Run to cursor,
// Stop and Evaluate commands to it.
#pragma once

#include <functional>
#include <string>

class TCustomForm;
class TfrxReport;
class TfrxSyntaxMemo;
class TfsScript;

class TfrxScriptDebugger {
public:
    TfrxScriptDebugger(TfrxReport* Report, TfrxSyntaxMemo* CodeWindow);
    ~TfrxScriptDebugger();
    TfrxScriptDebugger(const TfrxScriptDebugger&) = delete;
    TfrxScriptDebugger& operator=(const TfrxScriptDebugger&) = delete;

    // The run of the report: the designer's preview command (the script text stored and
    // compiled, a compile error shown in the code editor, the report prepared and shown).
    std::function<void()> RunReport;
    // The window that holds the code page: enabled and focused when the script stops.
    TCustomForm* DesignerForm = nullptr;
    // Called whenever the state below changes (the window enables its commands).
    std::function<void()> OnStateChange;

    // A run started from the code page is in progress.
    bool ScriptRunning() const { return FScriptRunning; }
    // The script is held before a line.
    bool ScriptPaused() const { return FScriptPaused; }
    // The line the script is held before (1-based), 0 when none.
    int PausedLine() const { return FScriptPaused ? FPausedLine : 0; }

    // Run: starts a run that does not stop, or lets a held script go on without stopping.
    void Run();
    // Step: starts a run that stops before its first line, or lets a held script go on to
    // its next line.
    void Step();
    // Marks the caret's line as the run-to line, then steps: the script stops there.
    void RunToCursor();
    // Ends the script at its next statement and stops the report's preparation.
    void Stop();
    // The evaluate window on the report's script, modal.
    void Evaluate();

    // The hook: the script is about to run the statement at SourcePos ("line:column").
    void RunLine(TfsScript* Sender, const std::string& UnitName, const std::string& SourcePos);

private:
    enum class THookMode { Off, Running, Stepping };
    void Start(THookMode Mode);
    void Hold(int Column, int Line);
    void LookAtWindow();
    void Changed();

    TfrxReport* FReport;
    TfrxSyntaxMemo* FCodeWindow;
    THookMode FMode = THookMode::Off;
    bool FScriptRunning = false;
    bool FMarkExecutableLines = false;
    bool FScriptPaused = false;
    int FPausedLine = 0;
    unsigned FStatements = 0;
};
