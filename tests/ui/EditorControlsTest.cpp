// The controls the report designer's windows stand on: drags that wait for the mouse to
// move, the up-down control, the check-list box, owner-drawn combo boxes with a canvas,
// tree nodes drawn by their own handler and edited in place, and input-method text
// reaching a control that paints itself.
#include "UiFixture.h"

#include "platform/rtl/StrUtils.h"
#include "platform/ui/CheckLst.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ImgList.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

class EditorControlsTest : public UiTest {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(400);
        Form->SetClientHeight(300);
    }
    void TearDown() override {
        Form.reset();
        UiTest::TearDown();
    }
    void ShowForm() {
        Form->Show();
        TUiTestHarness::ProcessMessages();
    }
    std::unique_ptr<TForm> Form;
};

TTreeView* MakeTree(TForm* form) {
    auto* tree = new TTreeView(form);
    tree->SetParent(form);
    tree->SetBounds(0, 0, 200, 200);
    TTreeNodes* nodes = tree->Items();
    TTreeNode* root = nodes->AddChild(nullptr, "数据");
    nodes->AddChild(root, "Customers");
    nodes->AddChild(root, "Orders");
    tree->FullExpand();
    return tree;
}

TPoint CentreOf(const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// --- Drags that wait for the threshold -----------------------------------------------------

struct TDragCase {
    const char* Name;
    int MoveBy;          // pixels the mouse moves with the button held (-1: onto the target)
    bool Dragged;
};

class DragThresholdTest : public EditorControlsTest, public ::testing::WithParamInterface<TDragCase> {};

TEST_P(DragThresholdTest, AnAutomaticDragStartsOnlyPastTheThreshold) {
    const TDragCase& c = GetParam();
    TTreeView* tree = MakeTree(Form.get());
    tree->SetDragMode(dmAutomatic);
    tree->SetReadOnly(true);
    auto* target = new TPanel(Form.get());
    target->SetParent(Form.get());
    target->SetBounds(250, 0, 100, 200);
    std::vector<std::string> log;
    tree->OnClick = [&](TObject*) { log.push_back("click"); };
    tree->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
    target->OnDragOver = [&](TObject*, TObject* s, int, int, TDragState, bool& accept) { accept = s == tree; };
    target->OnDragDrop = [&](TObject*, TObject* s, int, int) { log.push_back(s == tree ? "drop tree" : "drop"); };
    ShowForm();

    TTreeNode* orders = tree->Items()->Item(2);
    const TPoint at = CentreOf(orders->DisplayRect(true));
    const TPoint to = c.MoveBy < 0 ? TPoint{300, at.Y} : TPoint{at.X + c.MoveBy, at.Y};
    TUiTestHarness::MouseDown(tree, at);
    TUiTestHarness::MouseMove(tree, to, ssLeft);
    EXPECT_EQ(tree->Dragging(), c.Dragged);
    TUiTestHarness::MouseUp(tree, to);
    EXPECT_FALSE(tree->Dragging());
    if (c.Dragged) {
        EXPECT_EQ(log, std::vector<std::string>{"drop tree"});
    } else {
        // The press was the tree's own: the node is selected and the click arrives.
        EXPECT_EQ(tree->Selected(), orders);
        EXPECT_EQ(log, (std::vector<std::string>{"click", "up"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Moves, DragThresholdTest,
                         ::testing::Values(TDragCase{"NoMove", 0, false}, TDragCase{"BelowThreshold", 4, false},
                                           TDragCase{"OntoTheTarget", -1, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

// --- Up-down -------------------------------------------------------------------------------

struct TUpDownCase {
    const char* Name;
    int Min, Max, Position, Increment;
    bool Wrap;
    const char* Typed;       // the associate's text before the step ("" leaves it)
    TUDBtnType Button;
    int Expected;
};

class UpDownStepTest : public EditorControlsTest, public ::testing::WithParamInterface<TUpDownCase> {};

TEST_P(UpDownStepTest, StepsWithinItsRange) {
    const TUpDownCase& c = GetParam();
    auto* edit = new TEdit(Form.get());
    edit->SetParent(Form.get());
    edit->SetBounds(10, 10, 80, 21);
    auto* ud = new TUpDown(Form.get());
    ud->SetMin(c.Min);
    ud->SetMax(c.Max);
    ud->SetPosition(c.Position);
    ud->SetIncrement(c.Increment);
    ud->SetWrap(c.Wrap);
    ud->SetAssociate(edit);
    std::vector<TUDBtnType> clicks;
    ud->OnClick = [&](TObject*, TUDBtnType b) { clicks.push_back(b); };
    if (*c.Typed) edit->SetText(c.Typed);
    ud->Step(c.Button);
    EXPECT_EQ(ud->Position(), c.Expected);
    EXPECT_EQ(edit->Text(), std::to_string(c.Expected));
    EXPECT_EQ(clicks, std::vector<TUDBtnType>{c.Button});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpDownStepTest,
    ::testing::Values(TUpDownCase{"Up", 0, 10, 3, 1, false, "", btNext, 4},
                      TUpDownCase{"Down", 0, 10, 3, 1, false, "", btPrev, 2},
                      TUpDownCase{"StopsAtMax", 0, 10, 10, 1, false, "", btNext, 10},
                      TUpDownCase{"StopsAtMin", 1, 10, 1, 1, false, "", btPrev, 1},
                      TUpDownCase{"WrapsPastMax", 0, 8, 8, 1, true, "", btNext, 0},
                      TUpDownCase{"WrapsBelowMin", 1, 8, 1, 1, true, "", btPrev, 8},
                      TUpDownCase{"Increment", 0, 100, 10, 5, false, "", btNext, 15},
                      TUpDownCase{"IncrementClampsAtMax", 0, 12, 10, 5, false, "", btNext, 12},
                      TUpDownCase{"TypedNumberFirst", 0, 10, 3, 1, false, "7", btNext, 8},
                      TUpDownCase{"TypedOutOfRangeClamps", 0, 10, 3, 1, false, "99", btPrev, 9},
                      TUpDownCase{"TypedTextIgnored", 0, 10, 3, 1, false, "abc", btNext, 4}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(EditorControlsTest, UpDownSitsBesideItsAssociateAndAnswersTheMouseAndArrowKeys) {
    auto* edit = new TEdit(Form.get());
    edit->SetParent(Form.get());
    edit->SetBounds(10, 10, 80, 21);
    auto* ud = new TUpDown(Form.get());
    ud->SetMax(5);
    ud->SetAssociate(edit);
    ShowForm();
    // The associate gives up the up-down's width; the up-down takes its height.
    EXPECT_EQ(edit->Width(), 80 - ud->Width());
    EXPECT_EQ(ud->Left(), 10 + edit->Width());
    EXPECT_EQ(ud->Top(), 10);
    EXPECT_EQ(ud->Height(), 21);
    EXPECT_EQ(edit->Text(), "0");

    TUiTestHarness::Click(ud, TPoint{ud->Width() / 2, 3});
    EXPECT_EQ(ud->Position(), 1);
    TUiTestHarness::Click(ud, TPoint{ud->Width() / 2, ud->Height() - 3});
    EXPECT_EQ(ud->Position(), 0);
    TUiTestHarness::TypeKey(edit, VK_UP);
    TUiTestHarness::TypeKey(edit, VK_UP);
    EXPECT_EQ(ud->Position(), 2);
    EXPECT_EQ(edit->Text(), "2");
    TUiTestHarness::TypeKey(edit, VK_DOWN);
    EXPECT_EQ(edit->Text(), "1");
    // Refused by OnChanging: the position stays, the click is still reported.
    int clicks = 0;
    ud->OnChanging = [](TObject*, bool& allow) { allow = false; };
    ud->OnClick = [&](TObject*, TUDBtnType) { ++clicks; };
    ud->Step(btNext);
    EXPECT_EQ(ud->Position(), 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(EditorControlsTest, UpDownGroupsThousandsInItsAssociate) {
    auto* edit = new TEdit(Form.get());
    edit->SetParent(Form.get());
    auto* ud = new TUpDown(Form.get());
    ud->SetMax(5000);
    ud->SetAssociate(edit);
    ud->SetPosition(1234);
    EXPECT_EQ(edit->Text(), "1,234");
    ud->Step(btNext);   // the grouped text reads back as 1234
    EXPECT_EQ(ud->Position(), 1235);
    ud->SetThousands(false);
    EXPECT_EQ(edit->Text(), "1235");
}

// --- Check-list box ------------------------------------------------------------------------

TEST_F(EditorControlsTest, CheckListStatesFollowTheirItems) {
    auto* list = new TCheckListBox(Form.get());
    list->SetParent(Form.get());
    list->SetBounds(0, 0, 150, 150);
    TStringList* items = list->Items();
    for (const char* s : {"Customers", "Orders", "Items"}) items->Add(s);
    list->SetChecked(0, true);
    list->SetChecked(2, true);
    items->Insert(1, "Parts");   // Customers, Parts, Orders, Items
    EXPECT_TRUE(list->Checked(0));
    EXPECT_FALSE(list->Checked(1));
    EXPECT_FALSE(list->Checked(2));
    EXPECT_TRUE(list->Checked(3));
    items->Delete(0);            // Parts, Orders, Items
    EXPECT_FALSE(list->Checked(0));
    EXPECT_TRUE(list->Checked(2));
    EXPECT_THROW(list->Checked(3), EListError);
    items->Clear();
    items->Add("Items");
    EXPECT_FALSE(list->Checked(0));
}

TEST_F(EditorControlsTest, CheckListBoxTogglesOnTheUsersClick) {
    auto* list = new TCheckListBox(Form.get());
    list->SetParent(Form.get());
    list->SetBounds(0, 0, 150, 150);
    list->Items()->Add("Customers");
    list->Items()->Add("Orders");
    int checks = 0;
    list->OnClickCheck = [&](TObject*) { ++checks; };
    ShowForm();
    list->SetItemIndex(1);
    TUiTestHarness::TypeKey(list, VK_SPACE);
    EXPECT_TRUE(list->Checked(1));
    EXPECT_EQ(checks, 1);
    list->SetAllowGrayed(true);
    list->ToggleItem(1);
    EXPECT_EQ(list->State(1), cbGrayed);
    list->ToggleItem(1);
    EXPECT_EQ(list->State(1), cbUnchecked);
    // A disabled item keeps its state.
    list->SetItemEnabled(0, false);
    list->ToggleItem(0);
    EXPECT_FALSE(list->Checked(0));
    EXPECT_EQ(checks, 3);
}

// --- List box clicks -----------------------------------------------------------------------

struct TListClickCase {
    const char* Name;
    TDragMode Drag;
    int Preselected;   // item selected before the click (-1: none)
    int Clicked;
};

class ListBoxClickTest : public EditorControlsTest, public ::testing::WithParamInterface<TListClickCase> {};

// One click of the mouse on an item is one OnClick, whether the list drags its items
// (the cross-tab editor's field lists) or not, and whether the item was selected already.
TEST_P(ListBoxClickTest, OneClickIsOneOnClick) {
    const TListClickCase& c = GetParam();
    auto* list = new TListBox(Form.get());
    list->SetParent(Form.get());
    list->SetBounds(10, 10, 150, 150);
    for (const char* s : {"Customers", "Orders", "Items"}) list->Items()->Add(s);
    list->SetDragMode(c.Drag);
    ShowForm();
    list->SetItemIndex(c.Preselected);
    std::vector<int> clicks;
    list->OnClick = [&](TObject*) { clicks.push_back(list->ItemIndex()); };
    TUiTestHarness::Click(list, CentreOf(list->ItemRect(c.Clicked)));
    TUiTestHarness::ProcessMessages();
    EXPECT_EQ(clicks, std::vector<int>{c.Clicked});
    EXPECT_EQ(list->ItemIndex(), c.Clicked);
    // The keyboard moves the selection with one OnClick per step.
    clicks.clear();
    TUiTestHarness::TypeKey(list, c.Clicked == 2 ? VK_UP : VK_DOWN);
    const int moved = c.Clicked == 2 ? 1 : c.Clicked + 1;
    EXPECT_EQ(clicks, std::vector<int>{moved});
}

INSTANTIATE_TEST_SUITE_P(Cases, ListBoxClickTest,
                         ::testing::Values(TListClickCase{"plain", dmManual, -1, 1},
                                           TListClickCase{"plain-again", dmManual, 1, 1},
                                           TListClickCase{"dragging", dmAutomatic, -1, 1},
                                           TListClickCase{"dragging-other", dmAutomatic, 0, 2},
                                           TListClickCase{"dragging-again", dmAutomatic, 2, 2}),
                         [](const auto& info) {
                             std::string n = info.param.Name;
                             std::replace(n.begin(), n.end(), '-', '_');
                             return n;
                         });

// --- Owner-drawn combo box -----------------------------------------------------------------

TEST_F(EditorControlsTest, OwnerDrawnComboDrawsOnItsCanvasAlsoInTheClosedBox) {
    auto* combo = new TComboBox(Form.get());
    combo->SetParent(Form.get());
    combo->SetBounds(10, 10, 150, 22);
    combo->SetStyle(csOwnerDrawFixed);
    for (const char* s : {"Solid", "Dash"}) combo->Items()->Add(s);
    std::vector<std::string> drawn;
    const TColor colours[] = {clRed, clBlue};
    combo->OnDrawItem = [&](TWinControl* c, int Index, TRect R, TOwnerDrawState State) {
        auto* box = static_cast<TComboBox*>(c);
        drawn.push_back(std::to_string(Index) + (State.Contains(odComboBoxEdit) ? " edit" : " list"));
        box->Canvas()->Brush()->SetColor(colours[Index]);
        box->Canvas()->FillRect(R);
    };
    ShowForm();
    combo->SetItemIndex(1);
    // The closed box shows item 1 drawn by the handler.
    EXPECT_EQ(TUiTestHarness::PixelAt(combo, {10, 11}), clBlue);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), "1 edit");
}

// The edit field of a drop-down combo box takes what is typed as typed: the platform's
// combo box would complete it from the items (and select the rest) unless its completer
// is taken away, which the field's set-up does.
TEST_F(EditorControlsTest, DropDownComboTakesTypedTextWithoutCompletingIt) {
    auto* combo = new TComboBox(Form.get());
    combo->SetParent(Form.get());
    combo->SetBounds(10, 10, 150, 22);
    for (const char* s : {"Aspirin", "Aspartame", "Ibuprofen"}) combo->Items()->Add(s);
    ShowForm();
    TUiTestHarness::Click(combo);
    struct TCase {
        const char* Typed;
        const char* Text;
        int Index;
    };
    for (const TCase& c : {TCase{"As", "As", -1}, TCase{"Aspi", "Aspi", -1}, TCase{"I", "I", -1},
                           TCase{"Ibuprofen", "Ibuprofen", 2}}) {
        combo->SetText("");
        TUiTestHarness::TypeText(combo, c.Typed);
        EXPECT_EQ(combo->Text(), c.Text) << c.Typed;
        EXPECT_EQ(combo->SelLength(), 0) << c.Typed;
        EXPECT_EQ(combo->ItemIndex(), c.Index) << c.Typed;
    }
}

// A combo box's list follows its lines, whatever changed in them; a change of the
// objects the lines carry alone leaves the list and the item picked as they are. The
// list is read as the user walks it: the arrow keys from the first item to the last.
TEST_F(EditorControlsTest, ComboListFollowsItsLines) {
    auto* combo = new TComboBox(Form.get());
    combo->SetParent(Form.get());
    combo->SetBounds(10, 10, 150, 22);
    combo->SetStyle(csDropDownList);
    ShowForm();
    TObject marks[3];
    using TStrs = std::vector<std::string>;
    struct TCase {
        const char* Name;
        std::function<void(TStrings&)> Change;
        TStrs Walked;
    };
    const TCase cases[] = {
        {"the objects alone",
         [&](TStrings& I) {
             for (int i = 0; i < 3; ++i) I.SetObjects(i, &marks[i]);
         },
         {"Aspirin", "Aspartame", "Ibuprofen"}},
        {"the same text put again", [](TStrings& I) { I.SetStrings(1, "Aspartame"); }, {"Aspirin", "Aspartame", "Ibuprofen"}},
        {"a line's text", [](TStrings& I) { I.SetStrings(1, "Paracetamol"); }, {"Aspirin", "Paracetamol", "Ibuprofen"}},
        {"a line added", [](TStrings& I) { I.Add("Codeine"); }, {"Aspirin", "Aspartame", "Ibuprofen", "Codeine"}},
        {"a line removed", [](TStrings& I) { I.Delete(0); }, {"Aspartame", "Ibuprofen"}},
        {"two lines swapped", [](TStrings& I) { I.Exchange(0, 2); }, {"Ibuprofen", "Aspartame", "Aspirin"}},
        {"all lines gone", [](TStrings& I) { I.Clear(); }, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TStrings& items = *combo->Items();
        items.Clear();
        for (const char* s : {"Aspirin", "Aspartame", "Ibuprofen"}) items.Add(s);
        combo->SetItemIndex(1);
        items.BeginUpdate();
        c.Change(items);
        items.EndUpdate();
        if (c.Walked.empty()) {
            EXPECT_EQ(combo->ItemIndex(), -1);
            continue;
        }
        if (c.Walked[1] == "Aspartame") {
            EXPECT_EQ(combo->ItemIndex(), 1);
        }
        combo->SetItemIndex(0);
        TUiTestHarness::Click(combo);
        TUiTestHarness::TypeKey(combo, VK_ESCAPE);
        TStrs walked{combo->Text()};
        for (size_t i = 1; i < c.Walked.size() + 1; ++i) {
            TUiTestHarness::TypeKey(combo, VK_DOWN);
            if (combo->Text() != walked.back()) walked.push_back(combo->Text());
        }
        EXPECT_EQ(walked, c.Walked);
    }
}

// --- Tree nodes: custom drawing and editing in place ---------------------------------------

TEST_F(EditorControlsTest, TreeNodesTakeTheFontTheirHandlerChooses) {
    TTreeView* tree = MakeTree(Form.get());
    std::vector<std::string> asked;
    tree->OnCustomDrawItem = [&](TTreeView* Sender, TTreeNode* Node, TCustomDrawState, bool&) {
        asked.push_back(Node->Text());
        if (Node->HasChildren()) {
            Sender->Canvas()->Font()->SetStyle(TFontStyles{fsBold});
            Sender->Canvas()->Font()->SetColor(clRed);
        }
    };
    ShowForm();
    auto redIn = [&](TTreeNode* node) {
        const TRect r = node->DisplayRect(true);
        const int y = (r.Top + r.Bottom) / 2;
        for (int x = r.Left; x < r.Right; ++x)
            for (int dy = -2; dy <= 2; ++dy) {
                const int32_t c = TUiTestHarness::PixelAt(tree, {x, y + dy});
                if ((c & 0xFF) > 180 && ((c >> 8) & 0xFF) < 90 && ((c >> 16) & 0xFF) < 90) return true;
            }
        return false;
    };
    TTreeNode* root = tree->Items()->Item(0);
    EXPECT_TRUE(redIn(root));
    EXPECT_FALSE(redIn(tree->Items()->Item(1)));
    EXPECT_NE(std::find(asked.begin(), asked.end(), "Orders"), asked.end());
}

struct TEditCase {
    const char* Name;
    const char* Typed;
    uint16_t EndKey;         // VK_RETURN commits, VK_ESCAPE cancels
    bool Revert;             // OnEdited puts the old text back
    const char* Expected;
    bool EditedCalled;
};

class TreeEditTest : public EditorControlsTest, public ::testing::WithParamInterface<TEditCase> {};

TEST_P(TreeEditTest, ALabelEditedInPlaceGoesThroughOnEdited) {
    const TEditCase& c = GetParam();
    TTreeView* tree = MakeTree(Form.get());
    std::vector<std::string> edited;
    tree->OnEdited = [&](TObject*, TTreeNode* Node, std::string& S) {
        edited.push_back(Node->Text() + "->" + S);
        if (c.Revert) S = Node->Text();
    };
    ShowForm();
    TTreeNode* node = tree->Items()->Item(1);
    ASSERT_TRUE(node->EditText());
    EXPECT_TRUE(tree->IsEditing());
    TUiTestHarness::TypeKey(tree, 'A', ssCtrl);   // select the old label
    TUiTestHarness::TypeText(tree, c.Typed);
    TUiTestHarness::TypeKey(tree, c.EndKey);
    TUiTestHarness::ProcessMessages();   // the editor commits once its own key handling is done
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(node->Text(), c.Expected);
    EXPECT_EQ(edited.size(), c.EditedCalled ? 1u : 0u);
    if (c.EditedCalled) {
        EXPECT_EQ(edited.front(), std::string("Customers->") + c.Typed);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TreeEditTest,
    ::testing::Values(TEditCase{"EnterCommits", "客户", VK_RETURN, false, "客户", true},
                      TEditCase{"EscapeCancels", "客户", VK_ESCAPE, false, "Customers", false},
                      TEditCase{"HandlerRevertsDuplicate", "Orders", VK_RETURN, true, "Customers", true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(EditorControlsTest, TreeLabelsAreNotEditedWhenRefusedOrReadOnly) {
    TTreeView* tree = MakeTree(Form.get());
    ShowForm();
    TTreeNode* root = tree->Items()->Item(0);
    tree->OnEditing = [&](TObject*, TTreeNode* Node, bool& allow) { allow = Node != root; };
    EXPECT_FALSE(root->EditText());
    EXPECT_FALSE(tree->IsEditing());
    TTreeNode* child = tree->Items()->Item(1);
    EXPECT_TRUE(child->EditText());
    child->EndEdit(true);
    EXPECT_FALSE(tree->IsEditing());
    tree->SetReadOnly(true);
    EXPECT_FALSE(child->EditText());
    // F2 on the selected node starts editing when the tree is not read-only.
    tree->SetReadOnly(false);
    tree->SetSelected(child);
    TUiTestHarness::TypeKey(tree, VK_F2);
    EXPECT_TRUE(tree->IsEditing());
    child->EndEdit(false);
    EXPECT_EQ(child->Text(), "Customers");
}

// --- Input-method text in a painted control ------------------------------------------------

class TTypedSurface : public TCustomControl {
public:
    explicit TTypedSurface(TComponent* AOwner) : TCustomControl(AOwner) {
        CreatePaintedPeer();
        SetTabStop(true);
    }
    void KeyPress(char32_t& Key) override {
        TCustomControl::KeyPress(Key);
        if (Key != 0) Typed += CodePointToUtf8(Key);
    }
    std::string Typed;
};

TEST_F(EditorControlsTest, InputMethodTextReachesAPaintedControlAsKeyPresses) {
    auto* surface = new TTypedSurface(Form.get());
    surface->SetParent(Form.get());
    surface->SetBounds(0, 0, 200, 100);
    std::vector<char32_t> pressed;
    surface->OnKeyPress = [&](TObject*, char32_t& Key) {
        pressed.push_back(Key);
        if (Key == U'药') Key = 0;   // a handler may still swallow a character
    };
    ShowForm();
    TUiTestHarness::CommitText(surface, "收费药品");
    EXPECT_EQ(pressed, (std::vector<char32_t>{U'收', U'费', U'药', U'品'}));
    EXPECT_EQ(surface->Typed, "收费品");
}

// A node's picture follows its image list: a list whose pictures change gives the new one
// to the next node that asks (the icons made of a list are kept until it changes).
TEST_F(EditorControlsTest, ANodesPictureFollowsItsImageList) {
    TImageListComponent images(Form.get());
    auto paint = [&](TColor Color) {
        TBitmap picture(16, 16);
        picture.Canvas()->Brush()->SetColor(Color);
        picture.Canvas()->FillRect(Rect(0, 0, 16, 16));
        images.Clear();
        images.Add(picture);
    };
    paint(clRed);
    TTreeView* tree = MakeTree(Form.get());
    tree->SetImages(&images);
    for (TTreeNode* n : {tree->Items()->Item(1), tree->Items()->Item(2)}) n->SetImageIndex(0);
    ShowForm();
    // Whether the node's row shows Color (its picture stands before its text).
    auto shows = [&](TTreeNode* n, TColor Color) {
        const TRect r = n->DisplayRect(true);
        for (int x = r.Left; x < r.Left + 40; ++x)
            if (TUiTestHarness::PixelAt(tree, TPoint{x, (r.Top + r.Bottom) / 2}) == Color) return true;
        return false;
    };
    EXPECT_TRUE(shows(tree->Items()->Item(1), clRed));
    EXPECT_TRUE(shows(tree->Items()->Item(2), clRed));
    paint(clBlue);
    tree->Items()->Item(2)->SetText("Orders2");
    TUiTestHarness::ProcessMessages();
    EXPECT_TRUE(shows(tree->Items()->Item(2), clBlue));
    EXPECT_FALSE(shows(tree->Items()->Item(2), clRed));
}

}  // namespace
