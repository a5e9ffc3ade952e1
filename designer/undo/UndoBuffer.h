// The designer's undo and redo history: whole-report snapshots in report XML. The last
// undo snapshot is the report as it is now; undo reloads the one before it.
//
// Each list keeps its newest snapshot whole and every older one as the lines in which it
// differs from the next newer one: an edit of one object costs the history a few hundred
// bytes instead of the whole report, and going back one step rebuilds one text.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

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
    // One step back as the designer takes it: the state left goes onto the redo list and
    // the report is loaded from the snapshot before it; false (nothing changed, nothing
    // for redo) with fewer than two undo snapshots. The state left is the last undo
    // snapshot, since every edit is pushed as one: its text is moved over, not written
    // again. The script is the exception (the code page's text is stored into the report
    // without a step of its own): a script other than the one of that snapshot has the
    // report written anew.
    bool Undo(TfrxReport* Report);
    // One step forward: the report loaded from the last redo snapshot, that text the new
    // last undo snapshot; false when there is none.
    bool Redo(TfrxReport* Report);
    void ClearUndo();
    void ClearRedo();
    int UndoCount() const { return FUndo.Count(); }
    int RedoCount() const { return FRedo.Count(); }
    // What the history holds: the newest snapshot of each list whole, the differences of
    // the older ones.
    size_t Bytes() const { return FUndo.Bytes() + FRedo.Bytes(); }
    size_t ByteLimit() const { return FByteLimit; }
    void SetByteLimit(size_t Value);
    // The snapshot text, made whole (tests compare it).
    std::string UndoSnapshot(int Index) const { return FUndo.At(static_cast<size_t>(Index)); }
    std::string RedoSnapshot(int Index) const { return FRedo.At(static_cast<size_t>(Index)); }

    // One list of snapshot texts, oldest first.
    class TSnapshotList {
    public:
        int Count() const { return FHasLast ? static_cast<int>(FOlder.size()) + 1 : 0; }
        size_t Bytes() const { return FBytes; }
        void Push(std::string Snapshot);
        const std::string& Last() const { return FLast; }
        // The snapshot before the last, made whole (at least two in the list).
        std::string Previous() const;
        // Drops the last snapshot; Previous is the one before it, made whole. Gives the
        // text dropped.
        std::string DropLast(std::string Previous);
        void DropLast();
        void DropFirst();
        void Clear();
        // Snapshot Index, made whole (raises std::out_of_range past the end).
        std::string At(size_t Index) const;

    private:
        // In the newer text, Length bytes from At were Old in the older one.
        struct TEdit {
            size_t At, Length;
            std::string Old;
        };
        using TDelta = std::vector<TEdit>;
        static TDelta Diff(const std::string& Older, const std::string& Newer);
        static std::string Apply(const TDelta& Delta, const std::string& Newer);
        static size_t SizeOf(const TDelta& Delta);

        std::deque<TDelta> FOlder;   // FOlder[i] takes snapshot i + 1 back to snapshot i
        std::string FLast;
        bool FHasLast = false;
        size_t FBytes = 0;
    };

private:
    static std::string Snapshot(TfrxReport* Report);
    static void Load(TfrxReport* Report, const std::string& Xml);
    void Trim();
    TSnapshotList FUndo, FRedo;
    // The script text of the state the last undo snapshot holds.
    std::string FUndoScript;
    size_t FByteLimit = DefaultByteLimit;
};
