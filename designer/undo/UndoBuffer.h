// The designer's undo and redo history: whole-report snapshots in report XML. The last
// undo snapshot is the report as it is now; undo reloads the one before it.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

class TfrxReport;

class TfrxUndoBuffer {
public:
    // The history keeps at most this many bytes of snapshots: past it the oldest undo
    // snapshots go (the present state and the one before it always stay).
    static constexpr size_t DefaultByteLimit = size_t(160) << 20;

    void PushUndo(TfrxReport* Report);
    void PushRedo(TfrxReport* Report);
    // Loads the report from the second-last undo snapshot and drops the last one; false
    // (nothing changed) with fewer than two snapshots.
    bool PopUndo(TfrxReport* Report);
    // Loads the report from the last redo snapshot and drops it; false when there is none.
    bool PopRedo(TfrxReport* Report);
    void ClearUndo();
    void ClearRedo();
    int UndoCount() const { return static_cast<int>(FUndo.size()); }
    int RedoCount() const { return static_cast<int>(FRedo.size()); }
    size_t Bytes() const { return FBytes; }
    size_t ByteLimit() const { return FByteLimit; }
    void SetByteLimit(size_t Value);
    // The snapshot text (tests compare it).
    const std::string& UndoSnapshot(int Index) const { return FUndo.at(static_cast<size_t>(Index)); }

private:
    static std::string Snapshot(TfrxReport* Report);
    static void Load(TfrxReport* Report, const std::string& Xml);
    void Trim();
    std::deque<std::string> FUndo, FRedo;
    size_t FBytes = 0;
    size_t FByteLimit = DefaultByteLimit;
};
