#include "designer/undo/UndoBuffer.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "platform/rtl/Streams.h"
#include "report/Report.h"

std::string TfrxUndoBuffer::Snapshot(TfrxReport* Report) {
    TStringStream s;
    Report->SaveToStream(s, true, false);
    return s.DataString();
}

void TfrxUndoBuffer::Load(TfrxReport* Report, const std::string& Xml) {
    TStringStream s(Xml);
    s.SetPosition(0);
    Report->LoadFromStream(s);
}

void TfrxUndoBuffer::PushUndo(TfrxReport* Report) {
    FUndo.Push(Snapshot(Report));
    FUndoScript = Report->ScriptText()->Text();
    Trim();
}

void TfrxUndoBuffer::PushRedo(TfrxReport* Report) {
    FRedo.Push(Snapshot(Report));
    Trim();
}

bool TfrxUndoBuffer::PopUndo(TfrxReport* Report) {
    if (FUndo.Count() < 2) return false;
    std::string previous = FUndo.Previous();
    Load(Report, previous);
    FUndo.DropLast(std::move(previous));
    FUndoScript = Report->ScriptText()->Text();
    return true;
}

bool TfrxUndoBuffer::PopRedo(TfrxReport* Report) {
    if (FRedo.Count() == 0) return false;
    Load(Report, FRedo.Last());
    FRedo.DropLast();
    return true;
}

bool TfrxUndoBuffer::Undo(TfrxReport* Report) {
    if (FUndo.Count() < 2) return false;
    const bool asLast = Report->ScriptText()->Text() == FUndoScript;
    std::string left = asLast ? std::string() : Snapshot(Report);
    std::string previous = FUndo.Previous();
    Load(Report, previous);
    std::string last = FUndo.DropLast(std::move(previous));
    FUndoScript = Report->ScriptText()->Text();
    FRedo.Push(asLast ? std::move(last) : std::move(left));
    Trim();
    return true;
}

bool TfrxUndoBuffer::Redo(TfrxReport* Report) {
    if (FRedo.Count() == 0) return false;
    std::string text = FRedo.Last();
    Load(Report, text);
    FRedo.DropLast();
    FUndo.Push(std::move(text));
    FUndoScript = Report->ScriptText()->Text();
    Trim();
    return true;
}

void TfrxUndoBuffer::ClearUndo() {
    FUndo.Clear();
    FUndoScript.clear();
}

void TfrxUndoBuffer::ClearRedo() { FRedo.Clear(); }

void TfrxUndoBuffer::SetByteLimit(size_t Value) {
    FByteLimit = Value;
    Trim();
}

void TfrxUndoBuffer::Trim() {
    while (Bytes() > FByteLimit && FUndo.Count() > 2) FUndo.DropFirst();
}

// --- One list of snapshots ----------------------------------------------------------------------

void TfrxUndoBuffer::TSnapshotList::Push(std::string Snapshot) {
    if (FHasLast) {
        TDelta delta = Diff(FLast, Snapshot);
        FBytes += SizeOf(delta);
        FOlder.push_back(std::move(delta));
        FBytes -= FLast.size();
    }
    FLast = std::move(Snapshot);
    FHasLast = true;
    FBytes += FLast.size();
}

std::string TfrxUndoBuffer::TSnapshotList::Previous() const { return Apply(FOlder.back(), FLast); }

std::string TfrxUndoBuffer::TSnapshotList::DropLast(std::string Previous) {
    FBytes -= FLast.size() + SizeOf(FOlder.back());
    FOlder.pop_back();
    std::string dropped = std::exchange(FLast, std::move(Previous));
    FBytes += FLast.size();
    return dropped;
}

void TfrxUndoBuffer::TSnapshotList::DropLast() {
    if (FOlder.empty()) Clear();
    else DropLast(Previous());
}

void TfrxUndoBuffer::TSnapshotList::DropFirst() {
    if (FOlder.empty()) {
        Clear();
        return;
    }
    FBytes -= SizeOf(FOlder.front());
    FOlder.pop_front();
}

void TfrxUndoBuffer::TSnapshotList::Clear() {
    FOlder.clear();
    FLast.clear();
    FLast.shrink_to_fit();
    FHasLast = false;
    FBytes = 0;
}

std::string TfrxUndoBuffer::TSnapshotList::At(size_t Index) const {
    if (Index >= static_cast<size_t>(Count())) throw std::out_of_range("undo snapshot index");
    std::string text = FLast;
    for (size_t i = FOlder.size(); i-- > Index;) text = Apply(FOlder[i], text);
    return text;
}

size_t TfrxUndoBuffer::TSnapshotList::SizeOf(const TDelta& Delta) {
    size_t n = sizeof(TDelta);
    for (const TEdit& e : Delta) n += sizeof(TEdit) + e.Old.size();
    return n;
}

// The snapshots are written one object to a line. The part where the two texts differ
// (between their common start and end) is taken as whole lines; when both parts have as
// many lines, as after an edit of properties, only the runs of lines that differ are
// kept, else the part as a whole (objects added, removed or moved).
TfrxUndoBuffer::TSnapshotList::TDelta TfrxUndoBuffer::TSnapshotList::Diff(const std::string& Older,
                                                                          const std::string& Newer) {
    TDelta delta;
    const size_t shorter = std::min(Older.size(), Newer.size());
    const size_t prefix = static_cast<size_t>(
        std::mismatch(Older.begin(), Older.begin() + static_cast<std::ptrdiff_t>(shorter), Newer.begin()).first -
        Older.begin());
    if (prefix == Older.size() && prefix == Newer.size()) return delta;
    size_t suffix = 0;
    while (suffix < shorter - prefix && Older[Older.size() - 1 - suffix] == Newer[Newer.size() - 1 - suffix])
        ++suffix;
    size_t start = 0;
    if (prefix > 0) {
        const size_t nl = Newer.rfind('\n', prefix - 1);
        start = nl == std::string::npos ? 0 : nl + 1;
    }
    size_t endNewer = Newer.size() - suffix;
    if (endNewer > start && Newer[endNewer - 1] != '\n') {
        const size_t nl = Newer.find('\n', endNewer);
        endNewer = nl == std::string::npos ? Newer.size() : nl + 1;
    }
    const size_t endOlder = Older.size() - suffix + (endNewer - (Newer.size() - suffix));

    auto lines = [](std::string_view Text) {
        std::vector<std::string_view> out;
        while (!Text.empty()) {
            const size_t nl = Text.find('\n');
            const size_t n = nl == std::string_view::npos ? Text.size() : nl + 1;
            out.push_back(Text.substr(0, n));
            Text.remove_prefix(n);
        }
        return out;
    };
    const std::string_view olderPart(Older.data() + start, endOlder - start);
    const std::string_view newerPart(Newer.data() + start, endNewer - start);
    const std::vector<std::string_view> o = lines(olderPart), n = lines(newerPart);
    if (o.size() != n.size()) {
        delta.push_back({start, newerPart.size(), std::string(olderPart)});
        return delta;
    }
    size_t at = start;
    for (size_t i = 0; i < n.size();) {
        if (o[i] == n[i]) {
            at += n[i].size();
            ++i;
            continue;
        }
        TEdit edit{at, 0, {}};
        for (; i < n.size() && o[i] != n[i]; ++i) {
            edit.Length += n[i].size();
            edit.Old += o[i];
        }
        at += edit.Length;
        delta.push_back(std::move(edit));
    }
    return delta;
}

std::string TfrxUndoBuffer::TSnapshotList::Apply(const TDelta& Delta, const std::string& Newer) {
    size_t size = Newer.size();
    for (const TEdit& e : Delta) size = size - e.Length + e.Old.size();
    std::string out;
    out.reserve(size);
    size_t pos = 0;
    for (const TEdit& e : Delta) {
        out.append(Newer, pos, e.At - pos);
        out += e.Old;
        pos = e.At + e.Length;
    }
    out.append(Newer, pos, std::string::npos);
    return out;
}
