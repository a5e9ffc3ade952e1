// Form placement on the harness's screen, activation, timers, painting through the
// canvas, splitters, in-process dragging and the clipboard.
#include "UiFixture.h"

#include "platform/ui/Clipbrd.h"
#include "platform/ui/QtPeer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>


class FormsTest : public UiTest {};

static std::string SizeText(QSize s) { return std::to_string(s.width()) + "x" + std::to_string(s.height()); }

TEST_F(FormsTest, PositionAndWindowStateUseTheScreen) {
    Harness.SetScreenSize(1024, 768);
    struct {
        const char* Name;
        TFormBorderStyle Border;
        TPosition Position;
        TWindowState State;
        TRect Expected;          // Left, Top, Width, Height
        int ClientW, ClientH;
    } cases[] = {
        // Frames: sizeable 4 px, dialog 3 px, caption 19 px (tool windows 16).
        {"centred dialog", bsDialog, poScreenCenter, wsNormal, Bounds(359, 271, 306, 225), 300, 200},
        {"centred tool window", bsToolWindow, poDesktopCenter, wsNormal, Bounds(359, 273, 306, 222), 300, 200},
        {"designed", bsSizeable, poDesigned, wsNormal, Bounds(10, 20, 308, 227), 300, 200},
        {"maximised", bsSizeable, poDesigned, wsMaximized, Bounds(-4, -4, 1032, 776), 1024, 749},
    };
    for (auto& c : cases) {
        auto form = std::make_unique<TProbeForm>(nullptr);
        form->SetBorderStyle(c.Border);
        form->SetLeft(10);
        form->SetTop(20);
        form->SetClientWidth(300);
        form->SetClientHeight(200);
        form->SetPosition(c.Position);
        form->SetWindowState(c.State);
        form->Show();
        TUiTestHarness::ProcessMessages();
        EXPECT_EQ(form->BoundsRect(), c.Expected) << c.Name;
        EXPECT_EQ(form->ClientWidth(), c.ClientW) << c.Name;
        EXPECT_EQ(form->ClientHeight(), c.ClientH) << c.Name;
    }
}

// A window manager lets the user resize a window unless its size hints fix it, and gives
// such a window its resize handle, a strip below the client area. Only the sizeable
// borders leave the window free; the others ask for exactly their size, which follows the
// size the program gives the form, and a maximized window is free while it stays so.
TEST_F(FormsTest, OnlyASizeableBorderLetsTheWindowManagerResize) {
    Harness.SetScreenSize(1024, 768);
    const QSize unlimited(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    struct {
        TFormBorderStyle Border;
        bool Fixed;
    } cases[] = {{bsSingle, true},    {bsDialog, true},       {bsToolWindow, true},
                 {bsSizeable, false}, {bsSizeToolWin, false}, {bsNone, false}};
    for (auto& c : cases) {
        SCOPED_TRACE(GetEnumName(RoveTypeInfo(static_cast<TFormBorderStyle*>(nullptr)), c.Border));
        auto form = std::make_unique<TProbeForm>(nullptr);
        form->SetBorderStyle(c.Border);
        form->SetClientWidth(300);
        form->SetClientHeight(200);
        form->Show();
        TUiTestHarness::ProcessMessages();
        QWindow* window = WidgetOf(form.get())->windowHandle();
        ASSERT_NE(window, nullptr);
        auto expectLimits = [&](QSize size, const char* when) {
            EXPECT_EQ(SizeText(window->size()), SizeText(size)) << when;
            EXPECT_EQ(SizeText(window->minimumSize()), SizeText(c.Fixed ? size : QSize(0, 0))) << when;
            EXPECT_EQ(SizeText(window->maximumSize()), SizeText(c.Fixed ? size : unlimited)) << when;
        };
        expectLimits(QSize(300, 200), "shown");
        form->SetClientHeight(260);
        form->SetClientWidth(320);
        TUiTestHarness::ProcessMessages();
        expectLimits(QSize(320, 260), "sized by the program");
        form->SetWindowState(wsMaximized);
        TUiTestHarness::ProcessMessages();
        EXPECT_EQ(SizeText(window->minimumSize()), "0x0") << "maximized";
        EXPECT_EQ(SizeText(window->maximumSize()), SizeText(unlimited)) << "maximized";
        form->SetWindowState(wsNormal);
        TUiTestHarness::ProcessMessages();
        expectLimits(QSize(320, 260), "restored");
    }
}

// The buttons the window manager draws on the frame follow the border style and icons, also
// when they change on a shown window: a dialog and a tool window have no minimise or
// maximise button.
TEST_F(FormsTest, TheFramesButtonsFollowTheBorderStyleAndIcons) {
    struct {
        const char* Name;
        TFormBorderStyle Border;
        TBorderIcons Icons;
        bool Min, Max, Close;
    } cases[] = {
        {"sizeable", bsSizeable, {biSystemMenu, biMinimize, biMaximize}, true, true, true},
        {"single without maximise", bsSingle, {biSystemMenu, biMinimize}, true, false, true},
        {"no system menu", bsSizeable, {biMinimize, biMaximize}, false, false, false},
        {"dialog", bsDialog, {biSystemMenu, biMinimize, biMaximize}, false, false, true},
        {"tool window", bsToolWindow, {biSystemMenu, biMinimize, biMaximize}, false, false, true},
    };
    for (auto& c : cases) {
        auto form = std::make_unique<TProbeForm>(nullptr);
        form->Show();
        form->SetBorderStyle(c.Border);
        form->SetBorderIcons(c.Icons);
        TUiTestHarness::ProcessMessages();
        QWidget* window = WidgetOf(form.get());
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible()) << c.Name;
        const Qt::WindowFlags f = window->windowFlags();
        EXPECT_EQ(bool(f & Qt::WindowMinimizeButtonHint), c.Min) << c.Name;
        EXPECT_EQ(bool(f & Qt::WindowMaximizeButtonHint), c.Max) << c.Name;
        EXPECT_EQ(bool(f & Qt::WindowCloseButtonHint), c.Close) << c.Name;
        EXPECT_EQ(window->windowType(), c.Border == bsToolWindow ? Qt::Tool
                                        : c.Border == bsDialog ? Qt::Dialog : Qt::Window) << c.Name;
    }
}

// The window manager's size (a maximised window's) can arrive while the window's own first
// size is still on its way: Qt then delivers a resize event that carries the older size
// although the window already has the new one, and no resize after it. The form lays out
// for the size the window has.
TEST_F(FormsTest, AResizeEventWithAnOlderSizeLeavesTheWindowsSize) {
    auto form = std::make_unique<TProbeForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetAlign(alClient);
    form->Show();
    TUiTestHarness::ProcessMessages();
    QWidget* window = WidgetOf(form.get());
    ASSERT_NE(window, nullptr);
    window->resize(640, 480);
    QResizeEvent older(QSize(300, 200), QSize(640, 480));
    QCoreApplication::sendEvent(window, &older);
    EXPECT_EQ(form->ClientWidth(), 640);
    EXPECT_EQ(form->ClientHeight(), 480);
    EXPECT_EQ(panel->Width(), 640);
    EXPECT_EQ(panel->Height(), 480);
}

TEST_F(FormsTest, ShowActivatesAndHideGivesActivationBack) {
    auto a = std::make_unique<TProbeForm>(nullptr);
    auto b = std::make_unique<TProbeForm>(nullptr);
    std::vector<std::string> log;
    a->OnActivate = [&](TObject*) { log.push_back("a on"); };
    a->OnDeactivate = [&](TObject*) { log.push_back("a off"); };
    b->OnActivate = [&](TObject*) { log.push_back("b on"); };
    a->Show();
    EXPECT_EQ(Screen->ActiveForm(), a.get());
    b->Show();
    EXPECT_EQ(Screen->ActiveForm(), b.get());
    b->Hide();
    EXPECT_EQ(Screen->ActiveForm(), a.get());
    EXPECT_EQ(log, (std::vector<std::string>{"a on", "a off", "b on", "a on"}));
    EXPECT_TRUE(Screen->HasForm(a.get()));
}

// Timers run on the harness's virtual clock: each one fires once per interval that passes,
// earliest first, and never while disabled.
TEST_F(FormsTest, TimerFiresWhileEnabledAndNotAfter) {
    TTimer fast(nullptr), slow(nullptr);
    std::vector<std::string> log;
    fast.OnTimer = [&](TObject*) { log.push_back("fast"); };
    slow.OnTimer = [&](TObject*) { log.push_back("slow"); };
    TUiTestHarness::FireTimer(&fast);
    EXPECT_EQ(log, std::vector<std::string>{"fast"});
    log.clear();
    fast.SetInterval(5);
    slow.SetInterval(12);
    EXPECT_EQ(TUiTestHarness::ElapseTime(4), 0);
    EXPECT_EQ(TUiTestHarness::ElapseTime(11), 4);   // at 5, 10, 12 and 15
    EXPECT_EQ(log, (std::vector<std::string>{"fast", "fast", "slow", "fast"}));
    fast.SetEnabled(false);
    log.clear();
    EXPECT_EQ(TUiTestHarness::ElapseTime(50), 4);   // slow at 24, 36, 48 and 60
    EXPECT_EQ(log, (std::vector<std::string>(4, "slow")));
    // An idle wait lets time jump to the next timer instead of blocking.
    slow.SetEnabled(false);
    fast.SetEnabled(true);
    log.clear();
    Application->HandleMessage();
    EXPECT_EQ(log, std::vector<std::string>{"fast"});
}

TEST_F(FormsTest, PaintBoxDrawsThroughItsCanvas) {
    auto form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 200
  ClientHeight = 100
  object PaintBox1: TPaintBox
    Left = 10
    Top = 10
    Width = 50
    Height = 40
  end
end
)");
    auto* box = Find<TPaintBox>(form.get(), "PaintBox1");
    box->OnPaint = [box](TObject*) {
        box->Canvas()->Brush()->SetColor(clRed);
        box->Canvas()->FillRect(Rect(5, 5, 20, 20));
    };
    form->Show();
    EXPECT_EQ(TUiTestHarness::PixelAt(box, {10, 10}), clRed);
    EXPECT_NE(TUiTestHarness::PixelAt(box, {30, 30}), clRed);
    // The form's own colour is around it.
    EXPECT_EQ(TUiTestHarness::PixelAt(form.get(), {100, 80}), ColorToRGB(clBtnFace));
}

// A paint's canvas is clipped to the area being painted, as a paint's device context is:
// a control much taller than the scroll box it sits in is asked for the part that shows.
TEST_F(FormsTest, APaintIsClippedToThePartThatShows) {
    auto form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 300
  ClientHeight = 200
  object ScrollBox1: TScrollBox
    Left = 0
    Top = 0
    Width = 200
    Height = 100
    BorderStyle = bsNone
    object PaintBox1: TPaintBox
      Left = 0
      Top = 0
      Width = 180
      Height = 1000
    end
  end
end
)");
    auto* box = Find<TPaintBox>(form.get(), "PaintBox1");
    std::vector<TRect> clips;
    box->OnPaint = [&](TObject*) { clips.push_back(box->Canvas()->ClipRect()); };
    form->Show();
    TUiTestHarness::ProcessMessages();
    ASSERT_FALSE(clips.empty());
    for (const TRect& r : clips) {
        EXPECT_GE(r.Top, 0);
        EXPECT_LE(r.Bottom, 100);
        EXPECT_GT(r.Bottom, r.Top);
        EXPECT_LE(r.Right, 180);
    }
    clips.clear();
    Find<TScrollBox>(form.get(), "ScrollBox1")->VertScrollBar()->SetPosition(500);
    box->Invalidate();
    TUiTestHarness::ProcessMessages();
    ASSERT_FALSE(clips.empty());
    for (const TRect& r : clips) {
        EXPECT_GE(r.Top, 500);
        EXPECT_LE(r.Bottom, 600);
    }
}

TEST_F(FormsTest, SplitterResizesItsNeighbour) {
    auto form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 400
  ClientHeight = 200
  object Left1: TPanel
    Left = 0
    Top = 0
    Width = 100
    Align = alLeft
  end
  object Splitter1: TSplitter
    Left = 100
    Top = 0
    Width = 3
  end
  object Rest: TPanel
    Left = 200
    Align = alClient
  end
end
)");
    form->Show();
    auto* splitter = Find<TSplitter>(form.get(), "Splitter1");
    EXPECT_EQ(splitter->Left(), 100);
    // The splitter follows the pointer: where the pointer goes is said in the form's
    // coordinates (the splitter's own move with it).
    TUiTestHarness::MouseDown(splitter, {1, 50});
    TUiTestHarness::MouseMove(form.get(), {141, 50}, ssLeft);
    TUiTestHarness::MouseUp(form.get(), {141, 50});
    EXPECT_EQ(Find<TControl>(form.get(), "Left1")->Width(), 140);
    EXPECT_EQ(splitter->Left(), 140);
    EXPECT_EQ(Find<TControl>(form.get(), "Rest")->Left(), 143);
    // Never below MinSize.
    TUiTestHarness::MouseDown(splitter, {1, 50});
    TUiTestHarness::MouseMove(form.get(), {-400, 50}, ssLeft);
    TUiTestHarness::MouseUp(form.get(), {-400, 50});
    EXPECT_EQ(Find<TControl>(form.get(), "Left1")->Width(), 30);
}

TEST_F(FormsTest, DraggingAControlDropsItOnAnAcceptingOne) {
    auto form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 300
  ClientHeight = 200
  object Source: TListBox
    Left = 0
    Top = 0
    Width = 100
    Height = 100
    DragMode = dmAutomatic
  end
  object Target: TPanel
    Left = 150
    Top = 0
    Width = 100
    Height = 100
  end
end
)");
    form->Show();
    TUiTestHarness::ProcessMessages();
    auto* source = Find<TControl>(form.get(), "Source");
    auto* target = Find<TControl>(form.get(), "Target");
    std::vector<std::string> log;
    target->OnDragOver = [&](TObject*, TObject* s, int, int, TDragState state, bool& accept) {
        accept = s == source;
        log.push_back("over " + std::to_string(state));
    };
    target->OnDragDrop = [&](TObject*, TObject* s, int x, int y) {
        log.push_back("drop " + std::to_string(x) + "," + std::to_string(y) + (s == source ? " source" : ""));
    };
    TUiTestHarness::MouseDown(source, {10, 10});
    TUiTestHarness::MouseMove(source, {170, 20}, ssLeft);
    TUiTestHarness::MouseUp(source, {170, 20});
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "over " + std::to_string(dsDragEnter));
    EXPECT_EQ(log.back(), "drop 20,20 source");
}

TEST_F(FormsTest, ClipboardCarriesText) {
    Clipboard()->SetAsText("#BL3 clipboard#\n\r<TfrxMemoView/>");
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->AsText(), "#BL3 clipboard#\n\r<TfrxMemoView/>");
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

TEST_F(FormsTest, ScrollBarKeepsItsPositionInRangeAndAsksOnScroll) {
    TScrollBar bar(nullptr);
    bar.SetSmallChange(10);
    bar.SetLargeChange(40);
    bar.SetPageSize(20);
    bar.SetParams(0, 0, 100);
    int changes = 0;
    bar.OnChange = [&](TObject*) { ++changes; };
    struct {
        TScrollCode Code;
        int Pos;
        int Expected;
    } steps[] = {{scLineDown, 0, 10}, {scPageDown, 0, 50}, {scPageDown, 0, 81},   // the top: 100 - 20 + 1
                 {scLineUp, 0, 71},   {scTop, 0, 0},       {scTrack, 33, 33}};
    for (auto& s : steps) {
        bar.Scroll(s.Code, s.Pos);
        EXPECT_EQ(bar.Position(), s.Expected) << int(s.Code);
    }
    EXPECT_EQ(changes, 6);
    // OnScroll may put the position elsewhere.
    bar.OnScroll = [](TObject*, TScrollCode, int& pos) { pos = pos / 10 * 10; };
    bar.Scroll(scTrack, 47);
    EXPECT_EQ(bar.Position(), 40);
    EXPECT_THROW(bar.SetParams(0, 10, 5), EInvalidOperation);
}

// What a scroll bar shows after each change of its settings is what it draws for them: a
// change that leaves its picture as it was (a thumb at its least length while the range
// grows) may be left unpainted, one that moves or resizes the thumb, greys an arrow or
// disables the bar may not.
TEST_F(FormsTest, ScrollBarShowsWhatItsSettingsDraw) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 360);
    auto* bar = new TScrollBar(&form);
    bar->SetParent(&form);
    bar->SetKind(sbVertical);
    bar->SetBounds(10, 10, 17, 300);
    form.Show();
    struct Step {
        const char* What;
        int Page, Max, Position;
        bool Enabled;
    };
    const Step steps[] = {{"a thumb of a third", 100, 300, 0, true},
                          {"the range grows, the thumb shrinks", 100, 2000, 0, true},
                          {"the thumb at its least length", 100, 200000, 0, true},
                          {"the range grows under the least thumb", 100, 2000000, 0, true},
                          {"the thumb moves", 100, 2000000, 900000, true},
                          {"at the end: the down arrow greys", 100, 2000000, 1999901, true},
                          {"a larger page", 1000000, 2000000, 0, true},
                          {"the range shrinks to the page", 100, 99, 0, true},
                          {"disabled", 100, 3000, 0, false},
                          {"enabled again", 100, 3000, 0, true}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.What);
        bar->SetPageSize(s.Page);
        bar->SetParams(s.Position, 0, s.Max);
        bar->SetEnabled(s.Enabled);
        TBitmap shown, drawn;
        ASSERT_TRUE(TUiTestHarness::Shown(bar, shown));
        ASSERT_TRUE(TUiTestHarness::Grab(bar, drawn));
        ASSERT_EQ(shown.Width(), drawn.Width());
        ASSERT_EQ(shown.Height(), drawn.Height());
        int differ = 0;
        for (int y = 0; y < drawn.Height(); ++y)
            for (int x = 0; x < drawn.Width(); ++x) differ += shown.Pixel(x, y) != drawn.Pixel(x, y);
        EXPECT_EQ(differ, 0);
    }
}

namespace {
// Threads of this process: the raster engine's painting threads show here once started.
int ThreadsOfProcess() {
    return int(std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                             std::filesystem::directory_iterator()));
}
QImage Painted(QWidget& w) {
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    w.render(&image);
    return image;
}
}  // namespace

// A scroll bar longer than the raster engine's threaded fills draws as the plain style
// draws it, without handing its fills to painting threads. A horizontal bar's lines are
// cut at its bands' edges, which moves the shade of a few of their end pixels slightly.
TEST_F(FormsTest, ALongScrollBarPaintsOnTheWindowThreadAsThePlainStyleDraws) {
    std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_TRUE(plain);
    const struct {
        Qt::Orientation Orientation;
        int PixelsOff, LevelsOff;  // at most, of 627 x 17
    } cases[] = {{Qt::Vertical, 0, 0}, {Qt::Horizontal, 6, 24}};
    for (const auto& c : cases) {
        QScrollBar bar(c.Orientation);
        const auto sized = [&](int length) {
            c.Orientation == Qt::Vertical ? bar.resize(17, length) : bar.resize(length, 17);
        };
        sized(40);
        Painted(bar);  // the first paint of the process starts what painting needs
        sized(627);
        bar.setRange(0, 1000);
        bar.setPageStep(150);
        for (int value : {0, 420, 1000}) {
            SCOPED_TRACE(std::to_string(c.Orientation) + " at " + std::to_string(value));
            bar.setValue(value);
            bar.setStyle(nullptr);
            const int before = ThreadsOfProcess();
            const QImage ours = Painted(bar);
            EXPECT_TRUE(Painted(bar) == ours);  // the kept picture
            EXPECT_EQ(ThreadsOfProcess(), before);
            bar.setStyle(plain.get());
            const QImage theirs = Painted(bar);
            int pixelsOff = 0, levelsOff = 0;
            for (int y = 0; y < ours.height(); ++y)
                for (int x = 0; x < ours.width(); ++x) {
                    const QRgb o = ours.pixel(x, y), t = theirs.pixel(x, y);
                    if (o == t) continue;
                    ++pixelsOff;
                    levelsOff = std::max({levelsOff, std::abs(qRed(o) - qRed(t)), std::abs(qGreen(o) - qGreen(t)),
                                          std::abs(qBlue(o) - qBlue(t)), std::abs(qAlpha(o) - qAlpha(t))});
                }
            EXPECT_LE(pixelsOff, c.PixelsOff);
            EXPECT_LE(levelsOff, c.LevelsOff);
        }
        bar.setStyle(nullptr);
    }
    // The probe sees the threads the plain style's paint starts.
    EXPECT_GT(ThreadsOfProcess(), 1);
}

TEST_F(FormsTest, FormPaintsOnItsClientThroughOnPaint) {
    auto form = std::make_unique<TProbeForm>(nullptr);
    form->SetClientWidth(100);
    form->SetClientHeight(60);
    TCustomForm* f = form.get();
    form->OnPaint = [f](TObject*) {
        f->Canvas()->Brush()->SetColor(clBlue);
        f->Canvas()->FillRect(Rect(0, 0, 10, 10));
    };
    form->Show();
    EXPECT_EQ(TUiTestHarness::PixelAt(form.get(), {5, 5}), clBlue);
    EXPECT_EQ(TUiTestHarness::PixelAt(form.get(), {50, 30}), ColorToRGB(clBtnFace));
}

TEST_F(FormsTest, ScrollBoxCoversItsChildren) {
    auto form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 300
  ClientHeight = 200
  object ScrollBox1: TScrollBox
    Left = 0
    Top = 0
    Width = 200
    Height = 100
    BorderStyle = bsNone
    object Far: TPanel
      Left = 250
      Top = 300
      Width = 50
      Height = 40
    end
  end
end
)");
    form->Show();
    auto* box = Find<TScrollBox>(form.get(), "ScrollBox1");
    EXPECT_EQ(box->ClientWidth(), 200);
    box->VertScrollBar()->SetPosition(100);
    TUiTestHarness::ProcessMessages();
    EXPECT_EQ(box->VertScrollBar()->Position(), 100);
    // The child keeps its place in the scrolled area.
    EXPECT_EQ(Find<TControl>(form.get(), "Far")->Top(), 300);
}

TEST_F(FormsTest, PaintToDrawsTheControlOntoACanvas) {
    auto form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 120
  ClientHeight = 80
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 60
    Height = 40
    BevelOuter = bvNone
    Color = clYellow
  end
end
)");
    auto* panel = Find<TPanel>(form.get(), "Panel1");
    TBitmap target(100, 60);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 100, 60));
    panel->PaintTo(target.Canvas(), 10, 5);
    EXPECT_EQ(target.Pixel(30, 20), clYellow);
    EXPECT_EQ(target.Pixel(5, 2), clWhite);
    EXPECT_EQ(target.Pixel(75, 50), clWhite);
}

TEST_F(FormsTest, HintsShowWhereShowHintSaysSo) {
    auto form = MakeForm(R"(object Form1: TProbeForm
  ShowHint = True
  object Grid: TPanel
    Hint = '双击记录可进行删除操作|删除'
  end
  object Quiet: TPanel
    Hint = 'no'
    ParentShowHint = False
  end
end
)");
    auto* grid = Find<TControl>(form.get(), "Grid");
    auto* quiet = Find<TControl>(form.get(), "Quiet");
    EXPECT_TRUE(grid->ParentShowHint());
    EXPECT_FALSE(quiet->ParentShowHint());
    EXPECT_EQ(TUiTestHarness::ToolTipOf(grid), "双击记录可进行删除操作");
    EXPECT_EQ(TUiTestHarness::ToolTipOf(quiet), "");
    quiet->SetShowHint(true);
    EXPECT_EQ(TUiTestHarness::ToolTipOf(quiet), "no");
    form->SetShowHint(false);
    EXPECT_EQ(TUiTestHarness::ToolTipOf(grid), "");
}

// The pointer resting on a control shows its short hint in a tool tip once it has rested
// long enough, where ShowHint says so; moving onto another control soon shows that one's.
// A press takes the rest away: no tip comes until the pointer moves again.
TEST_F(FormsTest, RestingOnAControlShowsItsHint) {
    auto form = std::make_unique<TProbeForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    auto* grid = new TPanel(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(10, 10, 120, 60);
    grid->SetHint("双击记录可进行删除操作|删除");
    auto* code = new TEdit(form.get());
    code->SetParent(form.get());
    code->SetBounds(10, 100, 120, 21);
    code->SetHint("填完姓名后按回车键能自动填写拼音码");
    form->SetShowHint(false);
    form->Show();
    TUiTestHarness::ProcessMessages();

    TUiTestHarness::MouseMove(grid, TPoint{20, 20});
    TUiTestHarness::ElapseTime(1000);
    EXPECT_EQ(TUiTestHarness::ShownToolTip(), "") << "hints are off";

    form->SetShowHint(true);
    TUiTestHarness::MouseMove(grid, TPoint{21, 20});
    TUiTestHarness::ElapseTime(300);
    EXPECT_EQ(TUiTestHarness::ShownToolTip(), "") << "not rested long enough";
    TUiTestHarness::ElapseTime(500);
    EXPECT_EQ(TUiTestHarness::ShownToolTip(), "双击记录可进行删除操作");

    TUiTestHarness::MouseMove(code, TPoint{10, 10});
    TUiTestHarness::ElapseTime(50);
    EXPECT_EQ(TUiTestHarness::ShownToolTip(), "填完姓名后按回车键能自动填写拼音码");
}

// A press ends the pointer's rest: the control's tip does not come while the pointer stays.
TEST_F(FormsTest, APressTakesTheRestAway) {
    auto form = std::make_unique<TProbeForm>(nullptr);
    form->SetClientWidth(200);
    form->SetClientHeight(100);
    auto* code = new TEdit(form.get());
    code->SetParent(form.get());
    code->SetBounds(10, 10, 120, 21);
    code->SetHint("本框中填入拼音字母后再按Enter回车键");
    form->SetShowHint(true);
    form->Show();
    TUiTestHarness::ProcessMessages();
    TUiTestHarness::Click(code);
    TUiTestHarness::ElapseTime(1000);
    EXPECT_EQ(TUiTestHarness::ShownToolTip(), "");
    TUiTestHarness::MouseMove(code, TPoint{12, 10});
    TUiTestHarness::ElapseTime(1000);
    EXPECT_EQ(TUiTestHarness::ShownToolTip(), "本框中填入拼音字母后再按Enter回车键");
}

TEST_F(FormsTest, FreedDataModuleLeavesTheScreensList) {
    const int before = Screen->DataModuleCount();
    TDataModule* module = nullptr;
    Application->CreateForm(module);
    ASSERT_EQ(Screen->DataModuleCount(), before + 1);
    EXPECT_EQ(Screen->DataModules(before), module);
    delete module;
    EXPECT_EQ(Screen->DataModuleCount(), before);
}

// Two presses close in time and place make a double click only on one control. Here the
// first press on the paint box puts the edit over it (as the inspector does with its
// rows), so the second press of a double click lands on the edit: it is the edit's press,
// not its double click. Two presses on the edit are its double click.
TEST_F(FormsTest, ADoubleClickNeedsBothClicksOnOneControl) {
    auto form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 200
  ClientHeight = 100
  object PaintBox1: TPaintBox
    Left = 10
    Top = 10
    Width = 80
    Height = 20
  end
  object Edit1: TEdit
    Left = 10
    Top = 60
    Width = 80
  end
end
)");
    auto* box = Find<TPaintBox>(form.get(), "PaintBox1");
    auto* edit = Find<TEdit>(form.get(), "Edit1");
    std::vector<std::string> log;
    box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        log.push_back("box down");
        edit->SetBounds(box->Left(), box->Top(), box->Width(), box->Height());
    };
    box->OnDblClick = [&](TObject*) { log.push_back("box double"); };
    edit->OnDblClick = [&](TObject*) { log.push_back("edit double"); };
    edit->OnMouseDown = [&](TObject*, TMouseButton, TShiftState Shift, int, int) {
        log.push_back(Shift & ssDouble ? "edit down double" : "edit down");
    };
    form->Show();
    TUiTestHarness::ProcessMessages();
    TUiTestHarness::DblClick(box, TPoint{20, 10});
    EXPECT_EQ(log, (std::vector<std::string>{"box down", "edit down"}));
    log.clear();
    TUiTestHarness::DblClick(edit, TPoint{20, 10});
    EXPECT_EQ(log, (std::vector<std::string>{"edit down", "edit double", "edit down double"}));
}
