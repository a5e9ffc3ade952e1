// The report component tree.
#include "report/Component.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstring>
#include <unordered_set>

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "report/Bands.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Serializer.h"
#include "report/XMLDocument.h"

ROVE_IMPLEMENT_CLASS(TfrxComponent)
ROVE_IMPLEMENT_CLASS(TfrxReportComponent)
ROVE_IMPLEMENT_CLASS(TfrxPage)

namespace {

// A report object's owner is its report (every object is made in one; the class chain
// answers without a dynamic_cast).
TfrxComponent* AsReportObject(TComponent* C) {
    return C && C->Is<TfrxComponent>() ? static_cast<TfrxComponent*>(C) : nullptr;
}

TComponent* OwnerFor(TComponent* AOwner) {
    if (TfrxComponent* c = AsReportObject(AOwner)) return c->Report();
    return AOwner;
}

// The texts of the last values written that are not whole numbers, by the value's bits
// and the decimal separator: a prepared page writes the same widths, heights and lefts on
// every row, and the conversion costs far more than the look-up. Trivial, so the
// per-thread table needs no set-up (it starts zeroed: separator 0 marks an empty slot).
struct TFloatText {
    uint64_t Bits;
    char Separator;
    uint8_t Size;
    char Text[30];
};

// FloatToStr's text written to Buffer (room for 48 characters); 0 when it does not fit.
// Its short cases are done here: a whole number below 10^15 is its digits, and a value
// from 0.001 to 10^15 whose shortest exact text has at most 15 significant digits is that
// text; FloatToStr gives the others. The texts of values that are not whole are kept.
[[gnu::always_inline]] inline size_t FloatText(char* Buffer, double value) {
    if (value == 0) {
        Buffer[0] = '0';
        return 1;
    }
    const double magnitude = std::fabs(value);
    const bool inRange = magnitude >= 1e-3 && magnitude < 1e15;
    if (inRange) {
        const auto whole = static_cast<int64_t>(value);
        if (static_cast<double>(whole) == value)
            return static_cast<size_t>(std::to_chars(Buffer, Buffer + 48, whole).ptr - Buffer);
    }
    static thread_local TFloatText cache[64];
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const char separator = FormatSettings.DecimalSeparator;
    TFloatText& slot = cache[((bits ^ (bits >> 29)) * 0x9E3779B97F4A7C15ull) >> 58];
    if (slot.Separator == separator && slot.Bits == bits) {
        std::memcpy(Buffer, slot.Text, sizeof slot.Text);   // a fixed size: no call
        return slot.Size;
    }
    size_t size = 0;
    if (inRange) {
        const auto [end, error] = std::to_chars(Buffer, Buffer + 48, value, std::chars_format::fixed);
        int digits = 16;
        if (error == std::errc()) {
            digits = 0;
            for (const char* p = Buffer; p != end; ++p)
                if (*p >= '0' && *p <= '9' && (digits > 0 || *p != '0')) ++digits;
        }
        if (digits <= 15) {
            for (char* p = Buffer; p != end; ++p)
                if (*p == '.') *p = separator;
            size = static_cast<size_t>(end - Buffer);
        }
    }
    if (size == 0) {
        const std::string text = FloatToStr(value);
        if (text.size() > 48) return 0;
        std::memcpy(Buffer, text.data(), text.size());
        size = text.size();
    }
    if (size <= sizeof slot.Text && separator != 0) {
        slot.Bits = bits;
        slot.Separator = separator;
        slot.Size = static_cast<uint8_t>(size);
        std::memcpy(slot.Text, Buffer, size);
    }
    return size;
}

void AddDiffFloat(std::string& out, double value) {
    char buffer[48];
    const size_t size = FloatText(buffer, value);
    if (size > 0) out.append(buffer, size);
    else out += FloatToStr(value);
}

void BeginItem(std::string& out, std::string_view key) {
    out += ' ';
    out += key;
    out += "=\"";
}

}  // namespace

std::string frxDiffFloat(double Value) {
    std::string s;
    AddDiffFloat(s, Value);
    return s;
}

void frxDiffItem(std::string& Out, std::string_view Key, std::string_view Value) {
    BeginItem(Out, Key);
    Out += Value;
    Out += '"';
}

void frxDiffIntItem(std::string& Out, std::string_view Key, int64_t Value) {
    BeginItem(Out, Key);
    char buffer[24];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, Value);
    Out.append(buffer, end);
    Out += '"';
}

void frxDiffFloatItem(std::string& Out, std::string_view Key, double Value) {
    // The whole item is put together on the stack and appended once.
    char buffer[112];
    if (Key.size() <= 56) {
        size_t n = 0;
        buffer[n++] = ' ';
        if (Key.size() == 1) {
            buffer[n++] = Key[0];   // the places' keys: no copy call
        } else {
            std::memcpy(buffer + n, Key.data(), Key.size());
            n += Key.size();
        }
        buffer[n++] = '=';
        buffer[n++] = '"';
        if (const size_t size = FloatText(buffer + n, Value); size > 0) {
            n += size;
            buffer[n++] = '"';
            Out.append(buffer, n);
            return;
        }
    }
    BeginItem(Out, Key);
    AddDiffFloat(Out, Value);
    Out += '"';
}

const TTypeInfo* frxEventType(std::string_view Name) {
    static const std::vector<TTypeInfo> types = [] {
        std::vector<TTypeInfo> list;
        for (const char* name : {"TfrxNotifyEvent", "TfrxPreviewClickEvent", "TfrxCloseQueryEvent", "TfrxKeyEvent",
                                 "TfrxKeyPressEvent", "TfrxMouseEvent", "TfrxMouseMoveEvent", "TfrxPrintCellEvent",
                                 "TfrxPrintHeaderEvent", "TfrxCalcWidthEvent", "TfrxCalcHeightEvent"}) {
            TTypeInfo t;
            t.Kind = tkString;
            t.Name = name;
            list.push_back(std::move(t));
        }
        return list;
    }();
    for (const TTypeInfo& t : types)
        if (t.Name == Name) return &t;
    throw EfrxError("No script event type " + std::string(Name));
}

bool frxIsEventType(const TTypeInfo* Type) {
    if (!Type || Type->Kind != tkString || !StartsText("Tfrx", Type->Name) || !EndsText("Event", Type->Name)) return false;
    try {
        return frxEventType(Type->Name) == Type;
    } catch (const EfrxError&) {
        return false;
    }
}

// --- Creation and destruction --------------------------------------------------------------

TfrxComponent::TfrxComponent(TComponent* AOwner) : TComponent(OwnerFor(AOwner)) {
    Init();
    if (TfrxComponent* parent = AsReportObject(AOwner)) SetParent(parent);
}

TfrxComponent::TfrxComponent(TComponent* AOwner, uint16_t) : TfrxComponent(AOwner) { FIsDesigning = true; }

void TfrxComponent::Init() {
    FFont = std::make_unique<TFont>();
    FFont->SetName("Arial");
    FFont->SetSize(10);
    FFont->SetColor(clBlack);
    FFont->SetCharset(DEFAULT_CHARSET);
    FFont->OnChange = [this](TObject*) { FontChanged(); };
    FVisible = true;
    FParentFont = true;
}

namespace {
std::atomic<uint64_t> gComponentTreeStamp{1};
}  // namespace

uint64_t frxComponentTreeStamp() { return gComponentTreeStamp.load(std::memory_order_relaxed); }

TfrxComponent::~TfrxComponent() {
    // The children may ask for their report until they go: this is no report any more.
    if (!FObjects.empty()) gComponentTreeStamp.fetch_add(1, std::memory_order_relaxed);
    SetParent(nullptr);
    Clear();
    FFont->OnChange = nullptr;
}

// From the last child to the first: each child leaves the end of the list, so clearing
// takes time in proportion to the number of children (from the front, every removal
// moved all the others).
void TfrxComponent::Clear() {
    while (!FObjects.empty()) delete FObjects.back();
}

// --- The parent tree -----------------------------------------------------------------------

TfrxComponent* TfrxComponent::Objects(int Index) const {
    if (Index < 0 || Index >= ObjectCount())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FObjects[static_cast<size_t>(Index)];
}

void TfrxComponent::MoveObject(int CurIndex, int NewIndex) {
    TfrxComponent* c = Objects(CurIndex);
    NewIndex = std::clamp(NewIndex, 0, ObjectCount() - 1);
    FObjects.erase(FObjects.begin() + CurIndex);
    FObjects.insert(FObjects.begin() + NewIndex, c);
}

void TfrxComponent::SetParent(TfrxComponent* AParent) {
    if (FParent == AParent) return;
    for (TfrxComponent* p = AParent; p; p = p->FParent)
        if (p == this) throw EfrxError("An object cannot be placed inside itself");
    TfrxReport* oldReport = Report();
    if (FParent) {
        auto& v = FParent->FObjects;
        auto it = std::find(v.rbegin(), v.rend(), this);
        if (it != v.rend()) v.erase(std::next(it).base());
    }
    FParent = AParent;
    gComponentTreeStamp.fetch_add(1, std::memory_order_relaxed);
    if (AParent) AParent->FObjects.push_back(this);
    TfrxReport* newReport = Report();
    if (oldReport != newReport && oldReport != this) {
        if (oldReport) IndexSubtree(oldReport, false);
        if (newReport) IndexSubtree(newReport, true);
    }
    if (AParent) SetParentFont(FParentFont);
}

void TfrxComponent::SetParentComponent(TComponent* Value) {
    if (auto* p = dynamic_cast<TfrxComponent*>(Value)) SetParent(p);
}

void TfrxComponent::GetChildren(const TGetChildProc& Proc, TComponent*) {
    for (TfrxComponent* c : AllChildrenCopy()) Proc(c);
}

std::vector<TfrxComponent*> TfrxComponent::AllObjects() const {
    std::vector<TfrxComponent*> result;
    std::vector<std::pair<const TfrxComponent*, size_t>> stack{{this, 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next >= node->FObjects.size()) {
            stack.pop_back();
            continue;
        }
        TfrxComponent* child = node->FObjects[next++];
        result.push_back(child);
        stack.emplace_back(child, 0);
    }
    return result;
}

TfrxComponent* TfrxComponent::FindObject(std::string_view AName) const {
    if (AName.empty()) return nullptr;
    if (FNameIndex) {
        const std::string key = LowerCase(AName);
        const size_t n = FNameIndex->count(key);
        if (n == 0) return nullptr;
        if (n == 1) return FNameIndex->find(key)->second;
    }
    std::vector<std::pair<const TfrxComponent*, size_t>> stack{{this, 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next >= node->FObjects.size()) {
            stack.pop_back();
            continue;
        }
        TfrxComponent* child = node->FObjects[next++];
        if (SameText(child->Name(), AName)) return child;
        stack.emplace_back(child, 0);
    }
    return nullptr;
}

TfrxPage* TfrxComponent::Page() const {
    for (const TfrxComponent* c = this; c; c = c->FParent)
        if (c->Is<TfrxPage>()) return static_cast<TfrxPage*>(const_cast<TfrxComponent*>(c));
    return nullptr;
}

TfrxReport* TfrxComponent::Report() const {
    for (const TfrxComponent* c = this; c; c = c->FParent)
        if (c->Is<TfrxReport>()) return static_cast<TfrxReport*>(const_cast<TfrxComponent*>(c));
    return nullptr;
}

// --- The name index ------------------------------------------------------------------------

void TfrxComponent::EnableNameIndex() {
    FNameIndex = std::make_unique<std::unordered_multimap<std::string, TfrxComponent*>>();
    for (TfrxComponent* c : AllObjects())
        if (!c->Name().empty()) FNameIndex->emplace(LowerCase(c->Name()), c);
}

void TfrxComponent::IndexName(const std::string& Name, bool Add) {
    TfrxReport* r = Report();
    if (!r || r == this || Name.empty()) return;
    auto* index = static_cast<TfrxComponent*>(r)->FNameIndex.get();
    if (!index) return;
    const std::string key = LowerCase(Name);
    if (Add) {
        index->emplace(key, this);
        return;
    }
    auto range = index->equal_range(key);
    for (auto it = range.first; it != range.second; ++it)
        if (it->second == this) {
            index->erase(it);
            return;
        }
}

void TfrxComponent::IndexSubtree(TfrxReport* AReport, bool Add) {
    auto* index = static_cast<TfrxComponent*>(AReport)->FNameIndex.get();
    if (!index) return;
    std::vector<TfrxComponent*> nodes = AllObjects();
    nodes.push_back(this);
    for (TfrxComponent* c : nodes) {
        if (c->Name().empty()) continue;
        const std::string key = LowerCase(c->Name());
        if (Add) {
            index->emplace(key, c);
            continue;
        }
        auto range = index->equal_range(key);
        for (auto it = range.first; it != range.second; ++it)
            if (it->second == c) {
                index->erase(it);
                break;
            }
    }
}

void TfrxComponent::ValidateRename(TComponent* AComponent, const std::string& CurName,
                                   const std::string& NewName) {
    // Objects of the report's tree are checked by SetName through the name index.
    if (FNameIndex && AComponent && AComponent->Owner() == this) {
        TfrxComponent* c = AsReportObject(AComponent);
        if (c && c->Report() == static_cast<const TfrxComponent*>(this)) return;
    }
    TComponent::ValidateRename(AComponent, CurName, NewName);
}

void TfrxComponent::SetName(const std::string& NewName) {
    if (NewName == Name()) return;
    TfrxReport* r = Report();
    if (!NewName.empty() && r) {
        TfrxComponent* other = r->FindObject(NewName);
        if (other && other != this) throw EfrxError(frxResources().Get("prDupl"));
    }
    const std::string old = Name();
    TComponent::SetName(NewName);
    IndexName(old, false);
    IndexName(NewName, true);
}

std::string TfrxComponent::BaseName() const {
    std::string s = ClassName();
    size_t p = s.find("Tfrx");
    if (p != std::string::npos) s.erase(p, 4);
    p = s.find("View");
    if (p != std::string::npos) s.erase(p, 4);
    return s;
}

void TfrxComponent::CreateUniqueName() {
    const std::string base = BaseName();
    TfrxReport* r = Report();
    const TfrxComponent* scope = r ? static_cast<const TfrxComponent*>(r) : FParent;
    std::unordered_set<std::string> used;
    if (scope && !scope->FNameIndex)
        for (TfrxComponent* c : scope->AllObjects()) used.insert(LowerCase(c->Name()));
    for (int n = 1;; ++n) {
        const std::string candidate = base + std::to_string(n);
        const bool taken = scope && (scope->FNameIndex ? scope->FindObject(candidate) != nullptr
                                                       : used.count(LowerCase(candidate)) != 0);
        if (taken) continue;
        SetName(candidate);
        return;
    }
}

// --- Geometry ------------------------------------------------------------------------------

void TfrxComponent::SetLeft(double Value) {
    if (FIsDesigning && FRestrictions.Contains(rfDontMove)) return;
    FLeft = Value;
}

void TfrxComponent::SetTop(double Value) {
    if (FIsDesigning && FRestrictions.Contains(rfDontMove)) return;
    FTop = Value;
}

void TfrxComponent::SetWidth(double Value) {
    if (FIsDesigning && FRestrictions.Contains(rfDontSize)) return;
    FWidth = Value;
}

void TfrxComponent::SetHeight(double Value) {
    if (FIsDesigning && FRestrictions.Contains(rfDontSize)) return;
    FHeight = Value;
}

void TfrxComponent::SetBounds(double ALeft, double ATop, double AWidth, double AHeight) {
    SetLeft(ALeft);
    SetTop(ATop);
    SetWidth(AWidth);
    SetHeight(AHeight);
}

double TfrxComponent::AbsLeft() const {
    double x = FLeft;
    for (const TfrxComponent* p = FParent; p && !p->Is<TfrxDialogPage>(); p = p->FParent) x += p->FLeft;
    return x;
}

double TfrxComponent::AbsTop() const {
    double y = FTop;
    for (const TfrxComponent* p = FParent; p && !p->Is<TfrxDialogPage>(); p = p->FParent) y += p->FTop;
    return y;
}

// AlignChildren: place each aligned view by its neighbours, children in the order of a
// sorted key list of their Lefts: "1" and Left as "%9.2f" for a Left above 0, else "0" and
// the negated Left (so Lefts of 0 and below come first, nearest to 0 first).
// A child list without an aligned child is left as it stands before any key is built
// (every prepared page is aligned when it is rebuilt for drawing).
void TfrxComponent::AlignChildren() {
    enum { baNone, baLeft, baRight, baCenter, baWidth, baBottom };
    auto alignOf = [](TfrxComponent* c) -> int64_t {
        const TPropInfo* alignProp = GetPropInfo(c, "Align");
        if (!alignProp || alignProp->Kind() != tkEnumeration) return baNone;
        return GetOrdProp(c, alignProp);
    };
    const bool anyAligned = std::any_of(FObjects.begin(), FObjects.end(), [&](TfrxComponent* c) {
        return !c->Is<TfrxBand>() && alignOf(c) != baNone;
    });
    if (!anyAligned) return;
    TStringList keys;
    keys.SetSorted(true);
    keys.SetDuplicates(dupAccept);
    for (TfrxComponent* c : FObjects) {
        if (c->Is<TfrxBand>()) continue;
        const std::string key = c->FLeft > 0 ? "1" + Format("%9.2f", {c->FLeft}) : "0" + Format("%9.2f", {-c->FLeft});
        keys.AddObject(key, c);
    }
    std::vector<TfrxComponent*> list;
    list.reserve(static_cast<size_t>(keys.Count()));
    for (int i = 0; i < keys.Count(); ++i) list.push_back(static_cast<TfrxComponent*>(keys.Objects(i)));
    auto overlaps = [](const TfrxComponent* a, const TfrxComponent* b) {
        return !(a->AbsTop() >= b->AbsTop() + b->FHeight || b->AbsTop() >= a->AbsTop() + a->FHeight);
    };
    for (size_t i = 0; i < list.size(); ++i) {
        TfrxComponent* c = list[i];
        const int64_t align = alignOf(c);
        if (align == baCenter) {
            c->SetLeft((FWidth - c->FWidth) / 2);
        } else if (align == baBottom) {
            c->SetTop(FHeight - c->FHeight);
        } else if (align == baLeft || align == baRight || align == baWidth) {
            TfrxComponent* leftN = nullptr;
            for (size_t j = i; j-- > 0;)
                if (overlaps(list[j], c) && list[j]->AbsLeft() < c->AbsLeft()) {
                    leftN = list[j];
                    break;
                }
            TfrxComponent* rightN = nullptr;
            for (size_t j = i + 1; j < list.size(); ++j)
                if (overlaps(list[j], c) && list[j]->AbsLeft() + list[j]->FWidth > c->AbsLeft() + c->FWidth) {
                    rightN = list[j];
                    break;
                }
            if (align == baLeft || align == baWidth) c->SetLeft(leftN ? leftN->FLeft + leftN->FWidth : 0);
            if (align == baRight) c->SetLeft(rightN ? rightN->FLeft - c->FWidth : FWidth - c->FWidth);
            if (align == baWidth) c->SetWidth(rightN ? rightN->FLeft - c->FLeft : FWidth - c->FLeft);
        }
    }
}

// --- Font ----------------------------------------------------------------------------------

void TfrxComponent::SetFont(TFont* Value) {
    if (Value) FFont->Assign(Value);
    FParentFont = false;
}

void TfrxComponent::SetParentFont(bool Value) {
    if (Value && FParent) SetFont(FParent->Font());
    FParentFont = Value;
}

void TfrxComponent::FontChanged() {
    FParentFont = false;
    for (TfrxComponent* c : AllChildrenCopy())
        if (c->FParentFont) c->SetParentFont(true);
}

void TfrxComponent::SetVisible(bool Value) { FVisible = Value; }

// --- Copies and storage --------------------------------------------------------------------

void TfrxComponent::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TfrxComponent*>(Source);
    if (!src) return;
    TMemoryStream stream;
    src->SaveToStream(stream, false, true);
    stream.SetPosition(0);
    LoadFromStream(stream);
}

void TfrxComponent::AssignAll(TfrxComponent* Source) {
    if (!Source) return;
    TMemoryStream stream;
    Source->SaveToStream(stream, true, true);
    stream.SetPosition(0);
    LoadFromStream(stream);
}

void TfrxComponent::LoadFromStream(TStream& Stream) {
    const std::string kept = Name();
    Clear();
    IndexName(kept, false);
    ChangeName({});
    TfrxReport* r = Report();
    TfrxXMLSerializer serializer(&Stream);
    serializer.SetOwner(r);
    auto restore = [&] {
        IndexName(Name(), false);
        ChangeName(kept);
        IndexName(kept, true);
        if (r)
            for (int i = 0; i < serializer.Errors().Count(); ++i) r->Errors()->Add(serializer.Errors()[i]);
    };
    try {
        serializer.ReadRootComponent(this);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void TfrxComponent::SaveToStream(TStream& Stream, bool SaveChildren, bool SaveDefaultValues) {
    const std::string kept = Name();
    IndexName(kept, false);
    ChangeName({});
    TfrxXMLSerializer serializer(&Stream);
    serializer.SetOwner(Report());
    serializer.SetSerializeDefaultValues(SaveDefaultValues);
    try {
        serializer.WriteRootComponent(this, SaveChildren);
    } catch (...) {
        ChangeName(kept);
        IndexName(kept, true);
        throw;
    }
    ChangeName(kept);
    IndexName(kept, true);
}

std::string TfrxComponent::GetDescription() const { return ClassName(); }

// --- Differences ---------------------------------------------------------------------------

void TfrxComponent::PlaceDiffTo(TfrxComponent* o, std::string& s) const {
    if (frxFloatsDiffer(FLeft, o->FLeft) && DiffWritesLeft()) frxDiffFloatItem(s, "l", FLeft);
    if (frxFloatsDiffer(FTop, o->FTop) || DiffAlwaysWritesTop()) frxDiffFloatItem(s, "t", FTop);
    if (frxFloatsDiffer(FHeight, o->FHeight)) frxDiffFloatItem(s, "h", FHeight);
}

std::string TfrxComponent::Diff(TfrxComponent* AComponent) {
    std::string s;
    DiffTo(AComponent, s);
    return s;
}

void TfrxComponent::DiffTo(TfrxComponent* AComponent, std::string& Out) {
    if (AComponent) ComponentDiff(AComponent, Out);
}

std::string TfrxComponent::AllDiff(TfrxComponent* Base) {
    TfrxXMLSerializer serializer(nullptr);
    serializer.SetOwner(Report());
    std::string s = TrimLeft(serializer.ObjToXML(this));
    if (Base) ComponentDiff(Base, s);
    return s;
}

// --- TfrxReportComponent, TfrxPage ---------------------------------------------------------

TfrxReportComponent::TfrxReportComponent(TComponent* AOwner) : TfrxComponent(AOwner) {}
TfrxReportComponent::TfrxReportComponent(TComponent* AOwner, uint16_t Flags) : TfrxComponent(AOwner, Flags) {}

void TfrxReportComponent::BeforePrint() {
    FSavedLeft = Left();
    FSavedTop = Top();
    FSavedWidth = Width();
    FSavedHeight = Height();
}

void TfrxReportComponent::AfterPrint() { SetBounds(FSavedLeft, FSavedTop, FSavedWidth, FSavedHeight); }

TfrxPage::TfrxPage(TComponent* AOwner) : TfrxComponent(AOwner) {}
