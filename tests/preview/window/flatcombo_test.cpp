// The flat combo boxes drawn and used: the frame and the arrow button in their states,
// the drop-down list placed by the box, and the font combo box with its recent fonts in
// the settings store and its sample beside the open list.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <string>
#include <vector>

#include "platform/rtl/Settings.h"
#include "platform/graphics/Colors.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ScreenFonts.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/FlatCombo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include "platform/ui/QtPeer.h"

namespace {

struct TComboForm {
    TUiTestHarness Harness;
    TForm Form{nullptr};
    TComboForm() {
        Form.SetClientWidth(300);
        Form.SetClientHeight(200);
    }
    void Show() {
        Form.Show();
        TUiTestHarness::ProcessMessages();
    }
};

// The settings store in a folder of the test's own, removed afterwards.
struct TSettingsFolder {
    std::filesystem::path Dir;
    TSettingsFolder() {
        Dir = std::filesystem::temp_directory_path() / ("rove-flatcombo-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Dir);
        SetSettingsDirectory(Dir.string());
    }
    ~TSettingsFolder() {
        SetSettingsDirectory("");
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
};

}  // namespace

// Normal: button-face frames and a window-coloured button frame; active (the mouse over
// it): a sunken outer edge; disabled: the face colour with a window-coloured frame two
// pixels in. The arrow's top row is five black pixels in every state.
TEST(FlatComboLook, FrameAndButtonFollowTheState) {
    TComboForm f;
    auto* combo = new TfrxComboBox(&f.Form);
    combo->SetParent(&f.Form);
    combo->SetBounds(10, 10, 100, 21);
    for (const char* s : {"25%", "50%"}) combo->Items()->Add(s);
    // The focus elsewhere: a box whose edit field has it is drawn active.
    auto* other = new TEdit(&f.Form);
    other->SetParent(&f.Form);
    other->SetBounds(10, 100, 100, 21);
    f.Show();
    other->SetFocus();
    const int w = combo->Width();
    const int h = combo->Height();
    const TPoint arrow = frxComboArrowOrigin(w, h, combo->ButtonWidth());
    auto pixel = [&](int x, int y) { return TUiTestHarness::PixelAt(combo, {x, y}); };
    auto arrowRow = [&](int shift) {
        for (int x = arrow.X + shift; x < arrow.X + shift + 5; ++x)
            if (pixel(x, arrow.Y + shift) != clBlack) return false;
        return pixel(arrow.X + shift + 5, arrow.Y + shift) != clBlack;
    };

    EXPECT_EQ(combo->Look(), TfrxComboLook::Normal);
    EXPECT_EQ(pixel(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixel(1, h / 2), ColorToRGB(clBtnFace));
    const TRect button = frxComboButtonRect(w, h, combo->ButtonWidth());
    EXPECT_EQ(pixel(button.Left, button.Top + 3), ColorToRGB(clWindow));
    EXPECT_TRUE(arrowRow(0));

    combo->MouseEnter();
    EXPECT_EQ(combo->Look(), TfrxComboLook::Hot);
    EXPECT_EQ(pixel(0, h / 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(pixel(w - 1, h / 2), ColorToRGB(clBtnHighlight));
    EXPECT_TRUE(arrowRow(0));
    combo->MouseLeave();
    EXPECT_EQ(combo->Look(), TfrxComboLook::Normal);

    combo->SetFocus();
    EXPECT_EQ(combo->Look(), TfrxComboLook::Hot);
    other->SetFocus();

    combo->SetEnabled(false);
    EXPECT_EQ(pixel(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixel(2, h / 2), ColorToRGB(clWindow));
    EXPECT_EQ(pixel(button.Left + 1, h / 2), ColorToRGB(clBtnFace));
    EXPECT_TRUE(arrowRow(0));
}

// The open list: one pixel narrower than the box (no list width), as high as the rows the
// drop-down count allows (rows as the list draws them), and above the box when it would
// pass the screen's bottom.
TEST(FlatComboLook, TheListIsPlacedByTheBox) {
    TComboForm f;
    auto* combo = new TfrxComboBox(&f.Form);
    combo->SetParent(&f.Form);
    combo->SetBounds(10, 10, 100, 21);
    for (int i = 0; i < 12; ++i) combo->Items()->Add(std::to_string(i * 25) + "%");
    f.Show();
    const TPoint at = combo->ClientToScreen(TPoint{0, 0});
    struct {
        const char* Name;
        int ScreenHeight;
        bool Up;
    } cases[] = {{"room below", 2000, false}, {"screen bottom", at.Y + 21 + 60, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        f.Harness.SetScreenSize(1200, c.ScreenHeight);
        TRect r = Rect(0, 0, 10, 10);
        combo->PlaceDropDownList(r);
        EXPECT_EQ(r.Width(), 99);
        EXPECT_EQ(r.Height(), combo->ListItemHeight() * 8 + 4);
        EXPECT_EQ(r.Left, at.X);
        EXPECT_EQ(combo->DroppedUp(), c.Up);
        if (c.Up) {
            EXPECT_EQ(r.Bottom, at.Y - 2);
        } else {
            EXPECT_EQ(r.Top, at.Y + combo->Height());
        }
    }
    f.Harness.SetScreenSize(0, 0);
}

// What the open list shows is whole: the rows the drop-down count allows lie inside the
// list, and the widest item fits its width, also in a box narrower than its items (the
// designer's zoom box with "Whole page") and in a font whose rows are taller than the
// box's item height.
TEST(FlatComboLook, TheOpenListShowsItsItemsWhole) {
    TComboForm f;
    struct {
        const char* Name;
        int Width;
        TComboBoxStyle Style;
        int FontSize;
        std::vector<std::string> Items;
    } cases[] = {
        {"zoom", 70, csDropDown, 14, {"25%", "50%", "75%", "100%", "150%", "200%", "Page width", "Whole page"}},
        {"styles", 90, csDropDownList, 14, {"无样式", "收费单标题", "金额"}},
        {"many", 60, csDropDown, 14, {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"}},
        // A list without a field draws taller rows than its item height in any font.
        {"cross-tab styles", 121, csDropDownList, 8,
         {"Standard", "Blue", "Gray", "Green", "Orange", "Corporate", "Contrast"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* combo = new TfrxComboBox(&f.Form);
        combo->SetParent(&f.Form);
        combo->SetBounds(10, 10, c.Width, 21);
        combo->SetStyle(c.Style);
        combo->Font()->SetName("WenQuanYi Micro Hei");
        combo->Font()->SetSize(c.FontSize);
        for (const std::string& s : c.Items) combo->Items()->Add(s);
        f.Show();
        combo->SetDroppedDown(true);
        TUiTestHarness::ProcessMessages();
        auto* box = dynamic_cast<QComboBox*>(WidgetOf(combo));
        ASSERT_NE(box, nullptr);
        QAbstractItemView* view = box->view();
        ASSERT_TRUE(view->isVisible());
        const int shown = std::min<int>(static_cast<int>(c.Items.size()), combo->DropDownCount());
        for (int i = 0; i < shown; ++i) {
            const QRect row = view->visualRect(view->model()->index(i, 0));
            EXPECT_GE(row.top(), 0) << i;
            EXPECT_LE(row.bottom(), view->viewport()->height()) << i;
            const int text = view->fontMetrics().horizontalAdvance(view->model()->index(i, 0).data().toString());
            EXPECT_LE(text, view->viewport()->width()) << c.Items[static_cast<size_t>(i)];
            // The row as the list draws it, with the margins around its text: narrower,
            // the text is cut short with "..." ("Who...age").
            EXPECT_LE(view->sizeHintForIndex(view->model()->index(i, 0)).width(), view->viewport()->width())
                << c.Items[static_cast<size_t>(i)];
        }
        combo->SetDroppedDown(false);
        delete combo;
    }
}

TEST(FontCombo, SamplePlace) {
    struct {
        const char* Name;
        TRect Combo;
        bool Up;
        TPoint Expected;
    } cases[] = {
        {"beside", Rect(100, 100, 250, 121), false, {250, 121}},
        {"right edge", Rect(900, 100, 1050, 121), false, {699, 121}},
        {"above", Rect(100, 700, 250, 721), true, {250, 650}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TPoint p = frxFontPreviewPlace(c.Combo, TSize{200, 50}, 1024, c.Up);
        EXPECT_EQ(p.X, c.Expected.X);
        EXPECT_EQ(p.Y, c.Expected.Y);
    }
}

// The recent block comes from the store (a font no longer installed is dropped and its
// slot emptied), a chosen font goes to its top and into the store; the sample shows
// while the list is open.
TEST(FontCombo, RecentFontsLiveInTheSettingsStore) {
    TSettingsFolder folder;
    const std::vector<TScreenFont>& fonts = ScreenFontFamilies();
    ASSERT_GE(fonts.size(), 3u);
    const std::string kept = fonts[1].Name;
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Software\\Brightline\\MRUFont", true));
        reg.WriteString("Font0", kept);
        reg.WriteInteger("FontType0", fonts[1].TrueType ? 4 : 0);
        reg.WriteString("Font1", "No Such Font 字体");
        reg.WriteInteger("FontType1", 4);
        reg.CloseKey();
    }
    TComboForm f;
    auto* combo = new TfrxFontComboBox(&f.Form);
    combo->SetParent(&f.Form);
    combo->SetBounds(10, 10, 150, 21);
    combo->PopulateList();
    ASSERT_EQ(combo->Items()->Count(), static_cast<int>(fonts.size()) + 1);
    EXPECT_EQ(combo->Items()->Get(0), kept);
    EXPECT_EQ(combo->MRUCount(), 0);
    EXPECT_EQ(combo->TrueTypeItem(0), fonts[1].TrueType);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Software\\Brightline\\MRUFont", false));
        EXPECT_EQ(reg.ReadString("Font1"), "");
        EXPECT_EQ(reg.ReadInteger("FontType1"), 0);
    }
    f.Show();

    // The user picks the last family: it heads the list and the store.
    std::vector<std::string> clicks;
    combo->OnClick = [&](TObject*) { clicks.push_back(combo->Text()); };
    const int last = combo->Items()->Count() - 1;
    const std::string chosen = combo->Items()->Get(last);
    combo->SetItemIndex(last);   // what the user's pick in the list does first
    combo->ItemPicked(last);
    EXPECT_EQ(clicks, std::vector<std::string>{chosen});
    EXPECT_EQ(combo->Items()->Get(0), chosen);
    EXPECT_EQ(combo->Items()->Get(1), kept);
    EXPECT_EQ(combo->MRUCount(), 1);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Text(), chosen);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Software\\Brightline\\MRUFont", false));
        EXPECT_EQ(reg.ReadString("Font0"), chosen);
        EXPECT_EQ(reg.ReadString("Font1"), kept);
    }

    ASSERT_NE(combo->FontPreview(), nullptr);
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->FontPreview()->Visible());
    EXPECT_EQ(combo->FontPreview()->Panel()->Font()->Name(), chosen);
    const TPoint o = combo->ClientToScreen(TPoint{0, 0});
    EXPECT_EQ(combo->FontPreview()->Left(), o.X + combo->Width());
    combo->SetDroppedDown(false);
    EXPECT_FALSE(combo->FontPreview()->Visible());
}

// A settings store that is no settings file: the font box is made with the families alone
// (no recent block), leaves the file as it was, and a pick still reaches the caller.
TEST(FontCombo, AnUnreadableStoreGivesNoRecentBlock) {
    TSettingsFolder folder;
    std::string junk;
    for (int i = 0; i < 1024; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);
    {
        std::ofstream out(RegistryFileName(), std::ios::binary | std::ios::trunc);
        out << junk;
    }
    TComboForm f;
    auto* combo = new TfrxFontComboBox(&f.Form);
    combo->SetParent(&f.Form);
    combo->SetBounds(10, 10, 150, 21);
    EXPECT_EQ(combo->MRUCount(), -1);
    EXPECT_EQ(combo->Items()->Count(), static_cast<int>(ScreenFontFamilies().size()));
    std::vector<std::string> clicks;
    combo->OnClick = [&](TObject*) { clicks.push_back(combo->Text()); };
    const int last = combo->Items()->Count() - 1;
    const std::string chosen = combo->Items()->Get(last);
    combo->SetItemIndex(last);
    combo->ItemPicked(last);
    EXPECT_EQ(clicks, std::vector<std::string>{chosen});
    std::ifstream in(RegistryFileName(), std::ios::binary);
    const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(after, junk);
}

// A family that several foundries make ("C059 [urw]", "C059 [UKWN]" in the font database)
// is one font of the list, under its family name, an outline font when any foundry's is.
TEST(FontCombo, FoundriesOfAFamilyAreOneFont) {
    TComboForm f;
    auto* combo = new TfrxFontComboBox(&f.Form);
    combo->SetParent(&f.Form);
    std::vector<std::string> names;
    for (int i = combo->MRUCount() + 1; i < combo->Items()->Count(); ++i) names.push_back(combo->Items()->Get(i));
    for (const std::string& n : names) EXPECT_FALSE(!n.empty() && n.back() == ']') << n;
    EXPECT_TRUE(std::adjacent_find(names.begin(), names.end()) == names.end());
    int folded = 0;
    for (const QString& family : QFontDatabase::families()) {
        const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
        if (open <= 0 || !family.endsWith(QLatin1Char(']'))) continue;
        const std::string base = family.left(open).toStdString();
        const int index = combo->Items()->IndexOf(base);
        EXPECT_GE(index, 0) << base;
        if (index >= 0 && QFontDatabase::isScalable(family)) EXPECT_TRUE(combo->TrueTypeItem(index)) << base;
        ++folded;
    }
    // The machines this runs on have such families (the URW fonts).
    EXPECT_GT(folded, 0);
}
