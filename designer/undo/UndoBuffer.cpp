#include "designer/undo/UndoBuffer.h"

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
    FUndo.push_back(Snapshot(Report));
    FBytes += FUndo.back().size();
    Trim();
}

void TfrxUndoBuffer::PushRedo(TfrxReport* Report) {
    FRedo.push_back(Snapshot(Report));
    FBytes += FRedo.back().size();
    Trim();
}

bool TfrxUndoBuffer::PopUndo(TfrxReport* Report) {
    if (FUndo.size() < 2) return false;
    Load(Report, FUndo[FUndo.size() - 2]);
    FBytes -= FUndo.back().size();
    FUndo.pop_back();
    return true;
}

bool TfrxUndoBuffer::PopRedo(TfrxReport* Report) {
    if (FRedo.empty()) return false;
    Load(Report, FRedo.back());
    FBytes -= FRedo.back().size();
    FRedo.pop_back();
    return true;
}

void TfrxUndoBuffer::ClearUndo() {
    for (const std::string& s : FUndo) FBytes -= s.size();
    FUndo.clear();
}

void TfrxUndoBuffer::ClearRedo() {
    for (const std::string& s : FRedo) FBytes -= s.size();
    FRedo.clear();
}

void TfrxUndoBuffer::SetByteLimit(size_t Value) {
    FByteLimit = Value;
    Trim();
}

void TfrxUndoBuffer::Trim() {
    while (FBytes > FByteLimit && FUndo.size() > 2) {
        FBytes -= FUndo.front().size();
        FUndo.pop_front();
    }
}
