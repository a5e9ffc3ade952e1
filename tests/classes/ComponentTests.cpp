// The class registry, property tables, property access by kind, ownership, names,
// notifications and collections.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "platform/rtl/StrUtils.h"
#include "tests/classes/TestClasses.h"

namespace {

std::vector<std::string> Names(TClass cls) {
    std::vector<std::string> out;
    for (const TPropInfo* p : cls->Properties()) out.push_back(p->Name);
    return out;
}

TEST(ClassRegistry, FindsClassesByNameIgnoringCaseAndCreatesThemWithTheirOwner) {
    TComponent owner(nullptr);
    EXPECT_EQ(GetClass("ttestwidget"), TTestWidget::StaticClass());
    EXPECT_EQ(FindClass("TTESTNODE"), TTestNode::StaticClass());
    TClass cls = FindClass("TTestWideWidget");
    TObject* obj = cls->CreateInstance(&owner);
    ASSERT_NE(dynamic_cast<TTestWideWidget*>(obj), nullptr);   // the virtual constructor
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), obj);
    EXPECT_EQ(obj->ClassName(), "TTestWideWidget");
    EXPECT_EQ(obj->ClassParent(), TTestWidget::StaticClass());
    EXPECT_TRUE(obj->InheritsFrom(TComponent::StaticClass()));
    EXPECT_TRUE(obj->InheritsFrom(TPersistent::StaticClass()));
    EXPECT_FALSE(obj->InheritsFrom(TTestNode::StaticClass()));
    EXPECT_TRUE(TCollection::StaticClass()->CanCreate());
    EXPECT_TRUE(TTestItem::StaticClass()->CanCreateItem());

    EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
    try {
        FindClass("TNoSuchClass");
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_STREQ(e.what(), "Class TNoSuchClass not found");
    }
    EXPECT_FALSE(TTestAbstract::StaticClass()->CanCreate());
    EXPECT_THROW(TTestAbstract::StaticClass()->CreateInstance(&owner), EClassNotFound);
}

TEST(PropertyTable, AncestorsComeFirstInDeclarationOrderAndRedeclarationKeepsThePlace) {
    std::vector<std::string> widget = Names(TTestWidget::StaticClass());
    std::vector<std::string> expected = {"Name",  "Tag",   "Caption", "Width",  "Visible", "Align",
                                         "Ratio", "Scale", "Big",     "Letter", "Stamp",   "Color",
                                         "Value", "Font",  "Lines",   "Items",  "Link",    "OnClick", "OnKey"};
    EXPECT_EQ(widget, expected);
    std::vector<std::string> wide = Names(TTestWideWidget::StaticClass());
    expected.push_back("Depth");
    EXPECT_EQ(wide, expected);

    const TPropInfo* baseWidth = TTestWidget::StaticClass()->FindProperty("width");
    const TPropInfo* wideWidth = TTestWideWidget::StaticClass()->FindProperty("WIDTH");
    ASSERT_TRUE(baseWidth && wideWidth);
    EXPECT_NE(baseWidth, wideWidth);
    EXPECT_EQ(baseWidth->DefaultOrd, 75);
    EXPECT_EQ(wideWidth->DefaultOrd, 200);
    EXPECT_EQ(wideWidth->Index, baseWidth->Index);
    EXPECT_EQ(TTestWidget::StaticClass()->FindProperty("Depth"), nullptr);
}

// Look-ups by name ignore the case of ASCII letters and nothing else: every property of
// the table (the ancestors' ones, a redeclared one, names longer than eight bytes) is found
// however its letters are written, and a name that differs in any other byte is not.
TEST(PropertyTable, FindsEveryPropertyIgnoringTheCaseOfLettersOnly) {
    TClass wide = TTestWideWidget::StaticClass();
    auto flip = [](std::string s, bool upper, bool alternate) {
        for (size_t i = 0; i < s.size(); ++i) {
            const bool up = alternate ? i % 2 == 0 : upper;
            s[i] = static_cast<char>(up ? std::toupper(static_cast<unsigned char>(s[i]))
                                        : std::tolower(static_cast<unsigned char>(s[i])));
        }
        return s;
    };
    for (const TPropInfo* p : wide->Properties())
        for (const std::string& name : {p->Name, flip(p->Name, true, false), flip(p->Name, false, false),
                                        flip(p->Name, false, true)})
            EXPECT_EQ(wide->FindProperty(name), p) << name;
    EXPECT_EQ(wide->FindProperty("Width"), wide->Properties()[static_cast<size_t>(wide->FindProperty("Width")->Index)]);
    EXPECT_EQ(wide->FindProperty("width")->DeclaringClass, wide);
    EXPECT_EQ(wide->FindProperty("CAPTION")->DeclaringClass, TTestWidget::StaticClass());
    for (const char* absent : {"", "Widt", "Widthh", "Width ", " Width", "W1dth", "Wid_h", "OnClic",
                               "OnClickk", "OnClicK2", "Caption\x01", "Depth "})
        EXPECT_EQ(wide->FindProperty(absent), nullptr) << absent;
    EXPECT_EQ(TTestWidget::StaticClass()->FindProperty("DEPTH"), nullptr);   // the descendant's only
}

TEST(ClassRegistry, AClassRegisteredLaterIsFoundIgnoringCaseAndMethodsThroughAncestors) {
    TClass cls = TTestChildForm::StaticClass();
    UnRegisterClass(cls);
    for (const char* name : {"TTestChildForm", "ttestchildform", "TTESTCHILDFORM"})
        EXPECT_EQ(GetClass(name), nullptr) << name;
    RegisterClass(cls);
    for (const char* name : {"TTestChildForm", "ttestchildform", "TTESTCHILDFORM", "tTeStChIlDfOrM"})
        EXPECT_EQ(GetClass(name), cls) << name;
    // The hash folds bit 5 of every byte, so a digit and the control character 32 below
    // it hash alike: only the equality tells "TTestForm2" from "TTestForm\x12".
    for (const char* name : {"TTestChildFor", "TTestChildForms", "TTestChildF0rm", "TTestChildForm ", "TTestForm\x12"})
        EXPECT_EQ(GetClass(name), nullptr) << name;
    EXPECT_EQ(GetClass("ttestform2"), TTestForm2::StaticClass());
    // Registering the same class again under its name is no error; another class of a name
    // that differs only in case is.
    EXPECT_NO_THROW(RegisterClass(cls));
    TClassInfo namesake("TTESTChildForm", TComponent::StaticClass(), nullptr, nullptr, nullptr);
    EXPECT_THROW(RegisterClass(&namesake), EComponentError);
    EXPECT_EQ(GetClass("TTESTChildForm"), cls);
    // Handler methods of the ancestor, by any case.
    for (const char* name : {"Button1Click", "BUTTON1CLICK", "button1click", "FormCreate", "formcreate"})
        EXPECT_NE(cls->FindMethod(name), nullptr) << name;
    for (const char* name : {"Button1Clic", "Button2Click", "Button\x11" "Click", "BUTTON\x11" "CLICK", ""})
        EXPECT_EQ(cls->FindMethod(name), nullptr) << name;
}

struct KindRow {
    const char* Prop;
    TTypeKind Kind;
    const char* TypeName;
};

class PropertyKinds : public ::testing::TestWithParam<KindRow> {};

TEST_P(PropertyKinds, CarryKindAndTypeName) {
    const KindRow& row = GetParam();
    const TPropInfo* p = TTestWidget::StaticClass()->FindProperty(row.Prop);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Kind(), row.Kind) << TypeKindName(p->Kind());
    EXPECT_EQ(p->Type->Name, row.TypeName);
}

INSTANTIATE_TEST_SUITE_P(
    Widget, PropertyKinds,
    ::testing::Values(KindRow{"Width", tkInteger, "Integer"}, KindRow{"Visible", tkEnumeration, "Boolean"},
                      KindRow{"Align", tkEnumeration, "TTestAlign"}, KindRow{"Ratio", tkFloat, "Extended"},
                      KindRow{"Stamp", tkFloat, "TDateTime"}, KindRow{"Big", tkInt64, "Int64"},
                      KindRow{"Letter", tkChar, "Char"}, KindRow{"Caption", tkString, "String"},
                      KindRow{"Value", tkVariant, "Variant"}, KindRow{"Color", tkInteger, "TColor"},
                      KindRow{"Font", tkClass, "TTestFont"}, KindRow{"Lines", tkClass, "TStrings"},
                      KindRow{"Items", tkClass, "TCollection"}, KindRow{"Link", tkClass, "TTestWidget"},
                      KindRow{"OnClick", tkMethod, "TNotifyEvent"}, KindRow{"OnKey", tkMethod, "TKeyEvent"}));

TEST(PropertyTable, BooleanIsDetectableAndSetsKnowTheirElements) {
    const TPropInfo* visible = TTestWidget::StaticClass()->FindProperty("Visible");
    const TPropInfo* align = TTestWidget::StaticClass()->FindProperty("Align");
    EXPECT_TRUE(visible->Type->IsBoolean());
    EXPECT_FALSE(align->Type->IsBoolean());
    const TPropInfo* style = TTestFont::StaticClass()->FindProperty("Style");
    EXPECT_EQ(style->Kind(), tkSet);
    EXPECT_EQ(style->Type->Name, "TTestStyles");
    EXPECT_EQ(style->Type->CompType->EnumNames, (std::vector<std::string>{"tsBold", "tsItalic", "tsUnderline"}));
    EXPECT_EQ(SetToString(style->Type, 5), "[tsBold,tsUnderline]");
    EXPECT_EQ(StringToSet(style->Type, "[ tsItalic , tsbold ]"), 3u);
    EXPECT_EQ(StringToSet(style->Type, "[]"), 0u);
    EXPECT_THROW(StringToSet(style->Type, "[tsBold, tsWide]"), EConvertError);
    EXPECT_TRUE(TTestWidget::StaticClass()->FindProperty("Link")->IsComponentReference());
    EXPECT_FALSE(TTestWidget::StaticClass()->FindProperty("Font")->IsComponentReference());
}

TEST(PropertyAccess, VariantGetAndSetFollowEachKind) {
    TTestForm form(nullptr);
    auto* w = new TTestWidget(&form);
    auto* other = new TTestWidget(&form);
    SetPropValue(w, "Width", Variant(120));
    SetPropValue(w, "Visible", Variant(false));
    SetPropValue(w, "Align", Variant("taClient"));          // enumeration by name
    SetPropValue(w, "Letter", Variant("字"));
    SetPropValue(w, "Caption", Variant(42));
    SetPropValue(w, "Ratio", Variant("2.5"));
    SetPropValue(w, "Link", Variant::FromObject(other->Handle()));
    SetPropValue(w, "Lines", Variant("a\r\nb\r\n"));
    SetPropValue(w, "Big", Variant::FromInt64(int64_t(1) << 40));
    EXPECT_EQ(w->Width, 120);
    EXPECT_FALSE(w->Visible);
    EXPECT_EQ(w->Align, taClient);
    EXPECT_EQ(w->Letter, U'字');
    EXPECT_EQ(w->Caption, "42");
    EXPECT_EQ(w->Ratio, 2.5);
    EXPECT_EQ(w->Link(), other);
    EXPECT_EQ(w->Lines()->Count(), 2);
    EXPECT_EQ(w->Big, int64_t(1) << 40);

    EXPECT_TRUE(GetPropValue(w, "Visible").IsBoolean());
    EXPECT_EQ(GetPropValue(w, "Align").AsInteger(), taClient);
    EXPECT_EQ(GetPropValue(w, "Letter").AsString(), "字");
    EXPECT_EQ(GetPropValue(w, "Link").AsObject(), other->Handle());
    EXPECT_EQ(TObject::FromHandle(GetPropValue(w, "Link").AsObject()), other);
    EXPECT_EQ(GetPropValue(w, "Stamp").Type(), varDate);
    EXPECT_EQ(GetEnumProp(w, FindPropInfo(w, "Align")), "taClient");
    SetEnumProp(w, FindPropInfo(w, "align"), "TATOP");
    EXPECT_EQ(w->Align, taTop);
    SetSetProp(w->Font(), FindPropInfo(w->Font(), "Style"), "[tsItalic]");
    EXPECT_EQ(GetSetProp(w->Font(), FindPropInfo(w->Font(), "Style")), "[tsItalic]");
}

struct BadSetRow {
    const char* Name;
    const char* Prop;
    Variant Value;
};

class PropertyAccessErrors : public ::testing::TestWithParam<BadSetRow> {};

TEST_P(PropertyAccessErrors, RaiseInsteadOfStoringNonsense) {
    TTestForm form(nullptr);
    auto* w = new TTestWidget(&form);
    EXPECT_THROW(SetPropValue(w, GetParam().Prop, GetParam().Value), Exception);
    EXPECT_EQ(w->Width, 75);
    EXPECT_EQ(w->Align, taNone);
    EXPECT_EQ(w->Link(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PropertyAccessErrors,
    ::testing::Values(BadSetRow{"IntegerOverflow", "Width", Variant::FromInt64(int64_t(1) << 40)},
                      BadSetRow{"EnumOutOfRange", "Align", Variant(7)},
                      BadSetRow{"EnumUnknownName", "Align", Variant("taLeft")},
                      BadSetRow{"NotANumber", "Width", Variant("abc")},
                      BadSetRow{"StaleHandle", "Link", Variant::FromObject((uint64_t(1) << 40) + 12345)},
                      BadSetRow{"EventIsNoValue", "OnClick", Variant("Button1Click")},
                      BadSetRow{"UnknownProperty", "Height", Variant(1)}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PropertyAccess, AnObjectOfAnotherClassIsRefusedForAReference) {
    TTestForm form(nullptr);
    auto* w = new TTestWidget(&form);
    auto* node = new TTestNode(&form);
    EXPECT_THROW(SetPropValue(w, "Link", Variant::FromObject(node->Handle())), EPropertyError);
    EXPECT_EQ(w->Link(), nullptr);
    // A property of one class used on an object of another is refused, not reinterpreted.
    const TPropInfo* width = TTestWidget::StaticClass()->FindProperty("Width");
    EXPECT_THROW(GetOrdProp(node, width), EPropertyError);
}

TEST(PropertyAccess, DefaultsAndStoredTests) {
    TTestWidget w(nullptr);
    auto prop = [&](const char* n) { return FindPropInfo(&w, n); };
    EXPECT_TRUE(IsDefaultPropValue(&w, prop("Width")));
    EXPECT_FALSE(IsDefaultPropValue(&w, prop("Ratio")));   // no declared default: always written
    EXPECT_TRUE(IsDefaultPropValue(&w, prop("Scale")));
    EXPECT_TRUE(IsDefaultPropValue(&w, prop("Caption")));
    EXPECT_FALSE(IsStoredProp(&w, prop("Font")));
    EXPECT_FALSE(IsStoredProp(&w, prop("Name")));
    w.Font()->Size = 12;
    EXPECT_FALSE(IsDefaultPropValue(&w, prop("Font")));
    EXPECT_TRUE(IsStoredProp(&w, prop("Font")));
    w.Width = 76;
    EXPECT_FALSE(IsDefaultPropValue(&w, prop("Width")));
}

TEST(Persistent, AssignWithoutAConversionNamesBothClasses) {
    TTestFont font;
    TCollection coll(TTestItem::StaticClass());
    try {
        font.Assign(&coll);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TCollection to a TTestFont");
    }
    EXPECT_THROW(font.Assign(nullptr), EConvertError);
    TTestFont other;
    other.Name = "Tahoma";
    font.Assign(&other);
    EXPECT_EQ(font.Name, "Tahoma");
}

TEST(Handles, AreCheckedAndDroppedWithTheObject) {
    auto* w = new TTestWidget(nullptr);
    TObjectHandle h = w->Handle();
    EXPECT_EQ(w->Handle(), h);   // assigned once
    EXPECT_EQ(TObject::FromHandle(h), w);
    delete w;
    EXPECT_EQ(TObject::TryFromHandle(h), nullptr);
    EXPECT_THROW(TObject::FromHandle(h), EInvalidHandle);
    EXPECT_EQ(TObject::FromHandle(0), nullptr);
}

// --- Components ----------------------------------------------------------------------------
struct NameRow {
    const char* Name;
    const char* Error;   // empty: accepted
};

class ComponentNames : public ::testing::TestWithParam<NameRow> {};

TEST_P(ComponentNames, AreIdentifiersUniqueInTheirOwner) {
    TComponent owner(nullptr);
    auto* first = new TTestWidget(&owner);
    first->SetName("Button1");
    auto* second = new TTestWidget(&owner);
    second->SetName("Edit1");
    const NameRow& row = GetParam();
    if (*row.Error == 0) {
        second->SetName(row.Name);
        EXPECT_EQ(second->Name(), row.Name);
        return;
    }
    try {
        second->SetName(row.Name);
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(std::string(e.what()), row.Error);
    }
    EXPECT_EQ(second->Name(), "Edit1");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ComponentNames,
    ::testing::Values(NameRow{"Edit_2", ""}, NameRow{"edit1", ""}, NameRow{"", ""},
                      NameRow{"2Edit", "'2Edit' 不是有效的组件名称"},
                      NameRow{"Edit 1", "'Edit 1' 不是有效的组件名称"},
                      NameRow{"编辑", "'编辑' 不是有效的组件名称"},
                      NameRow{"button1", "A component named button1 already exists"}));

// Records destruction order and notifications.
class TLogged : public TComponent {
    ROVE_CLASS(TLogged, TComponent)
public:
    TLogged(TComponent* AOwner, std::vector<std::string>* log, std::string name)
        : TComponent(AOwner), FLog(log) {
        SetName(name);
    }
    ~TLogged() override { FLog->push_back("free " + Name()); }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent != this)
            FLog->push_back(Name() + " hears " + AComponent->Name());
    }

private:
    std::vector<std::string>* FLog;
};
ROVE_IMPLEMENT_CLASS(TLogged)

TEST(Ownership, OwnerFreesWhatItOwnsFirstToLastAndLinkedComponentsHearRemovals) {
    std::vector<std::string> log;
    auto* owner = new TLogged(nullptr, &log, "Owner");
    auto* a = new TLogged(owner, &log, "A");
    auto* b = new TLogged(owner, &log, "B");
    auto* b1 = new TLogged(b, &log, "B1");
    auto* c = new TLogged(owner, &log, "C");
    new TLogged(owner, &log, "D");   // linked to nothing: hears nothing
    a->FreeNotification(c);          // a sibling
    a->FreeNotification(b1);         // of another owner
    b->FreeNotification(c);
    EXPECT_EQ(owner->FindComponent("b"), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    delete owner;
    // Each destructor logs on entry. A goes first: its linked sibling hears of it while it
    // is whole, B's child (another owner) when A's own part is gone; B frees B1 while it
    // goes; C and D go last.
    std::vector<std::string> expected = {"free Owner", "C hears A", "free A", "B1 hears A", "C hears B",
                                         "free B",     "free B1",   "free C", "free D"};
    EXPECT_EQ(log, expected);
}

TEST(Ownership, AComponentMovedToAnotherOwnerIsForgottenByItsOldSiblingsOnly) {
    TTestForm form1(nullptr);
    TTestForm2 form2(nullptr);
    auto* moved = new TTestWidget(&form1);
    auto* sibling = new TTestWidget(&form1);
    auto* far = new TTestWidget(&form2);
    sibling->SetLink(moved);
    far->SetLink(moved);
    form2.InsertComponent(moved);
    // Its old siblings dropped the reference as the class library's owner broadcast did;
    // a component of another owner keeps it, as it would for a live component.
    EXPECT_EQ(sibling->Link(), nullptr);
    EXPECT_FALSE(moved->HasFreeNotification(sibling));
    EXPECT_EQ(far->Link(), moved);
    EXPECT_TRUE(far->HasFreeNotification(moved));
    delete moved;
    EXPECT_EQ(far->Link(), nullptr);
}

// The owned components' order, index and count through inserts, deletes, moves and
// reordering, against a plain list doing the same (the owner leaves holes where
// components go and closes them when the order is read).
TEST(Ownership, TheOrderOfOwnedComponentsFollowsEveryChange) {
    struct TStep {
        const char* Name;
        int Inserts, DeleteEvery, DeleteFrom, MoveTo;   // MoveTo: index for SetComponentIndex, or -1
        bool ReadBetween;                               // read Components() after each delete
    };
    const TStep steps[] = {
        {"front to back", 200, 1, 0, -1, false},
        {"every third", 300, 3, 1, -1, false},
        {"back to front", 150, 1, -1, -1, false},
        {"every other, read between", 120, 2, 0, -1, true},
        {"reordered after deletes", 100, 4, 2, 5, false},
        {"many deletes then a move", 400, 5, 0, 0, false},
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.Name);
        TComponent owner(nullptr);
        std::vector<TComponent*> model;
        for (int i = 0; i < step.Inserts; ++i) model.push_back(new TComponent(&owner));
        auto check = [&] {
            ASSERT_EQ(owner.ComponentCount(), static_cast<int>(model.size()));
            for (size_t i = 0; i < model.size(); ++i) {
                ASSERT_EQ(owner.Components(static_cast<int>(i)), model[i]) << i;
                ASSERT_EQ(model[i]->ComponentIndex(), static_cast<int>(i));
            }
        };
        std::vector<TComponent*> doomed;
        if (step.DeleteFrom >= 0) {
            for (size_t i = static_cast<size_t>(step.DeleteFrom); i < model.size(); i += static_cast<size_t>(step.DeleteEvery))
                doomed.push_back(model[i]);
        } else {
            doomed.assign(model.rbegin(), model.rend());
        }
        for (TComponent* c : doomed) {
            std::erase(model, c);
            delete c;
            if (step.ReadBetween) check();
        }
        check();
        if (step.MoveTo >= 0 && model.size() > 3) {
            TComponent* last = model.back();
            last->SetComponentIndex(step.MoveTo);
            model.pop_back();
            model.insert(model.begin() + step.MoveTo, last);
            model[1]->SetComponentIndex(static_cast<int>(model.size()) - 1);
            TComponent* second = model[1];
            model.erase(model.begin() + 1);
            model.push_back(second);
            check();
        }
        // Components made after holes were left come last.
        model.push_back(new TComponent(&owner));
        check();
        TComponent other(nullptr);
        other.InsertComponent(model.front());
        model.erase(model.begin());
        check();
        EXPECT_EQ(other.ComponentCount(), 1);
    }
}

// A holder that counts what it hears and may free another holder while it hears.
class TCountingHolder : public TComponent {
    ROVE_CLASS(TCountingHolder, TComponent)
public:
    using TComponent::TComponent;
    TComponent* Target = nullptr;
    int Heard = 0;
    TComponent* FreeWhenHearing = nullptr;
    void Hold(TComponent* T) {
        Target = T;
        T->FreeNotification(this);
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation != opRemove || AComponent != Target) return;
        Target = nullptr;
        ++Heard;
        if (TComponent* other = std::exchange(FreeWhenHearing, nullptr)) delete other;
    }
};
ROVE_IMPLEMENT_CLASS(TCountingHolder)

TEST(FreeNotification, ManyHoldersOfOneTargetEachHearOnceWhateverGoesFirst) {
    TComponent owner(nullptr), elsewhere(nullptr);
    auto* target = new TComponent(&owner);
    std::vector<TCountingHolder*> holders;
    for (int i = 0; i < 600; ++i) {
        // Siblings of the target and components of another owner, mixed.
        holders.push_back(new TCountingHolder(i % 2 ? &owner : &elsewhere));
        holders.back()->Hold(target);
        holders.back()->Hold(target);   // linked once only
    }
    // Some let go, some are freed before the target, in an order unlike the links'.
    std::vector<bool> released(holders.size()), freed(holders.size());
    for (size_t i = 0; i < holders.size(); i += 5) {
        target->RemoveFreeNotification(holders[i]);
        holders[i]->Target = nullptr;
        released[i] = true;
    }
    for (size_t i = holders.size(); i-- > 0;) {
        if (i % 7 != 6 || released[i]) continue;
        delete holders[i];
        freed[i] = true;
    }
    // Two holders free two others while they hear (one of them not told yet, one told).
    holders[3]->FreeWhenHearing = holders[598];
    holders[597]->FreeWhenHearing = holders[4];
    freed[598] = freed[4] = true;
    for (size_t i = 0; i < holders.size(); ++i) {
        if (!freed[i]) {
            EXPECT_EQ(holders[i]->HasFreeNotification(target), !released[i]) << i;
        }
    }
    delete target;
    for (size_t i = 0; i < holders.size(); ++i) {
        if (freed[i]) continue;
        SCOPED_TRACE(i);
        EXPECT_EQ(holders[i]->Heard, released[i] ? 0 : 1);
        EXPECT_EQ(holders[i]->Target, nullptr);
    }
}

TEST(Ownership, DeletingAComponentRemovesItFromItsOwner) {
    TComponent owner(nullptr);
    auto* a = new TTestWidget(&owner);
    auto* b = new TTestWidget(&owner);
    delete a;
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
    EXPECT_THROW(owner.Components(1), EListError);
    TComponent other(nullptr);
    other.InsertComponent(b);   // moves between owners
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(b->Owner(), &other);
    EXPECT_THROW(b->InsertComponent(&other), EComponentError);   // no ownership cycles
}

TEST(FreeNotification, ClearsAReferenceWhenTheTargetGoesAndWorksBothWays) {
    auto* form1 = new TTestForm(nullptr);
    auto* form2 = new TTestForm2(nullptr);
    auto* a = new TTestWidget(form1);
    auto* b = new TTestWidget(form2);
    auto* sibling = new TTestWidget(form1);
    a->SetLink(b);          // across owners: free notification
    sibling->SetLink(a);    // same owner: linked the same way
    delete form2;
    EXPECT_EQ(a->Link(), nullptr);
    EXPECT_EQ(sibling->Link(), a);
    delete a;
    EXPECT_EQ(sibling->Link(), nullptr);
    // The link is dropped both ways: a referrer freed first leaves no dangling entry.
    auto* form3 = new TTestForm2(nullptr);
    auto* c = new TTestWidget(form3);
    auto* d = new TTestWidget(form1);
    d->SetLink(c);
    delete d;
    delete form3;   // would notify the freed d if the link stayed
    delete form1;
}

TEST(ComponentState, DesigningReachesOwnedComponents) {
    TComponent root(nullptr);
    auto* child = new TTestWidget(&root);
    root.SetDesigning(true);
    EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
    auto* later = new TTestWidget(&root);
    EXPECT_TRUE(later->ComponentState().Contains(csDesigning));
}

// --- Collections -------------------------------------------------------------------------
// A collection that counts the update notices it gets, as an owner's collection class hears
// of them.
class TCountingCollection : public TCollection {
public:
    using TCollection::TCollection;
    int Updates = 0;

protected:
    void Update(TCollectionItem* Item) override {
        ++Updates;
        TCollection::Update(Item);
    }
};

TEST(Collection, AddInsertDeleteClearAndUpdateNotifications) {
    TCountingCollection coll(TTestItem::StaticClass());
    const int& updates = coll.Updates;
    auto* a = coll.AddItem<TTestItem>();
    a->Caption = "a";
    auto* c = coll.AddItem<TTestItem>();
    c->Caption = "c";
    auto* b = static_cast<TTestItem*>(coll.Insert(1));
    b->Caption = "b";
    EXPECT_EQ(coll.Count(), 3);
    EXPECT_EQ(coll.Item<TTestItem>(1)->Caption, "b");
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(coll.FindItemID(c->ID()), c);
    EXPECT_EQ(updates, 3);   // one per Add; the Insert batch notifies once
    coll.BeginUpdate();
    coll.Delete(0);
    delete c;                // freeing an item removes it
    EXPECT_EQ(updates, 3);
    coll.EndUpdate();
    EXPECT_EQ(updates, 4);
    EXPECT_EQ(coll.Count(), 1);
    EXPECT_EQ(coll.Item<TTestItem>(0)->Caption, "b");
    EXPECT_THROW(coll.Items(1), EListError);
    EXPECT_THROW(coll.Insert(5), EListError);
    coll.Clear();
    EXPECT_EQ(coll.Count(), 0);
}

TEST(Collection, AssignCopiesItemsThroughTheirPublishedProperties) {
    TCollection src(TTestItem::StaticClass());
    src.AddItem<TTestItem>()->Caption = "x";
    TCollection dst(TTestItem::StaticClass());
    dst.AddItem<TTestItem>();
    dst.AddItem<TTestItem>();
    // TTestItem has no Assign of its own: the collection refuses rather than copy blindly.
    EXPECT_THROW(dst.Assign(&src), EConvertError);
}

TEST(Packing, HighBytesRoundTripAndLegacyTextIsDecoded) {
    std::string text = "变量 x";
    std::string packed = PackHighBytes(text);
    for (char c : packed) EXPECT_LT(static_cast<unsigned char>(c), 128);
    EXPECT_EQ(UnpackHighBytes(packed), text);
    EXPECT_EQ(UnpackHighBytes("abc\x01"), "abc\x01");   // a trailing 1 stays
    // GBK bytes of a file of the Windows program come back as UTF-8.
    std::string gbk = Utf8ToGbk("收费");
    EXPECT_EQ(UnpackHighBytes(PackHighBytes(gbk)), "收费");
}

}  // namespace
