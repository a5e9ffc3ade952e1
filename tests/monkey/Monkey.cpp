#include "Monkey.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "platform/rtl/Exceptions.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Menus.h"
#include "platform/ui/UiTest.h"

namespace {
using H = TUiTestHarness;

unsigned gEventSeconds = 180;

extern "C" void EventTooLong(int) {
    const char text[] = "monkey: an event did not return (see the last line of the log)\n";
    (void)!write(2, text, sizeof text - 1);
    _exit(4);
}

// splitmix64: the same numbers from a seed with every compiler and library.
struct TRandom {
    uint64_t State;
    uint64_t Next() {
        uint64_t z = (State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int N) { return N <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(N)); }
};

const uint16_t kKeys[] = {VK_LEFT, VK_RIGHT, VK_UP,  VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_TAB,
                          VK_RETURN, VK_RETURN, VK_ESCAPE, VK_DELETE, VK_BACK, VK_INSERT, VK_SPACE,
                          VK_F1, VK_F2, VK_F3, VK_F5, VK_F9, 'A', 'C', 'V', 'X', 'Z', 'Y', 'S', 'N', 'O',
                          'P', 'F', 'G', 'U', '1', '2', '5', '0'};
const char* const kTexts[] = {"1",  "2",  "12", "0.5", "-3", "100", "zs", "lm", "xcg", "amxl", "a",   "x",
                              "张三", "内科", "血常规", "%",  "_",  "'",   "\"", "[Date]", "1e308", "abc def",
                              "9999999999", "2024-01-01", "tulvo"};

std::string Hex(const std::string& s) {
    static const char* d = "0123456789abcdef";
    std::string r;
    for (unsigned char c : s) {
        r += d[c >> 4];
        r += d[c & 15];
    }
    return r.empty() ? "-" : r;
}
std::string Unhex(const std::string& s) {
    if (s == "-") return {};
    std::string r;
    for (size_t i = 0; i + 1 < s.size(); i += 2) r += static_cast<char>(std::stoi(s.substr(i, 2), nullptr, 16));
    return r;
}

// The preview's design button and its "show the template" command run the designer in a
// loop of their own until the designer closes (not a modal window the harness hands to a
// driver): the events given from inside could not reach that designer. The designer has
// runs of its own.
bool LeftOut(const TComponent* C) { return C->Name() == "Showtemplate1" || C->Name() == "DesignerB"; }

// The controls of a form that show, in the order of the control tree, with their paths.
void Showing(TWinControl* Parent, const std::string& Path, std::vector<std::pair<TControl*, std::string>>& Out) {
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* c = Parent->Controls(i);
        if (!c || !c->Showing() || c->Width() <= 0 || c->Height() <= 0 || LeftOut(c)) continue;
        const std::string path = Path.empty() ? std::to_string(i) : Path + "/" + std::to_string(i);
        Out.emplace_back(c, path);
        if (auto* w = dynamic_cast<TWinControl*>(c)) Showing(w, path, Out);
    }
}

TControl* Resolve(TCustomForm* Form, const std::string& Path) {
    if (Path == ".") return Form;
    TControl* c = Form;
    std::stringstream s(Path);
    std::string part;
    while (std::getline(s, part, '/')) {
        auto* w = dynamic_cast<TWinControl*>(c);
        const int i = std::stoi(part);
        if (!w || i < 0 || i >= w->ControlCount()) return nullptr;
        c = w->Controls(i);
    }
    return c;
}


// The commands of a form's menus that can be chosen: leaves that show and are enabled, with
// their parents.
std::vector<TMenuItem*> MenuCommands(TCustomForm* Form) {
    std::vector<TMenuItem*> items;
    for (int i = 0; i < Form->ComponentCount(); ++i) {
        auto* m = dynamic_cast<TMenuItem*>(Form->Components(i));
        if (!m || m->Count() > 0 || !m->Visible() || !m->Enabled() || LeftOut(m)) continue;
        bool shown = true;
        for (TMenuItem* p = m->Parent(); p; p = p->Parent())
            if (!p->Visible() || !p->Enabled()) shown = false;
        if (shown) items.push_back(m);
    }
    return items;
}

class TMonkey {
public:
    TMonkey(TMonkeyWindow& Window, TUiTestHarness& Harness) : FWindow(Window), FHarness(Harness) {}

    // Random events: Count in all, written to Log before each is given.
    int Run(uint64_t Seed, int Count, const std::string& LogFile) {
        FRandom.State = Seed;
        FLeft = Count;
        FLog.open(LogFile, std::ios::trunc);
        Drive(0, nullptr);
        Summary();
        return Count - FLeft;
    }
    int Replay(std::vector<TMonkeyEvent> Events) {
        FReplay = std::move(Events);
        FReplaying = true;
        FLeft = static_cast<int>(FReplay.size());
        Drive(0, nullptr);
        Summary();
        return FGiven;
    }

private:
    void Summary() const {
        std::cerr << "monkey: " << FGiven << " events, " << FMissed << " of them where the control did not take them\n";
    }
    // Gives events to the window at Depth (inside the modal Form when Depth > 0) until the
    // events run out, the modal window closes, or (random events) its share is spent.
    void Drive(int Depth, TCustomForm* Modal) {
        int share = Depth == 0 ? -1 : 1 + FRandom.Below(40);
        while (FLeft > 0) {
            if (Modal && (!Modal->Visible() || Modal->ModalResult() != 0)) return;
            if (!Modal && (!FWindow.Main() || !FWindow.Main()->Visible())) FWindow.Open();
            TMonkeyEvent e;
            if (FReplaying) {
                if (FNext >= FReplay.size()) return;
                const TMonkeyEvent& next = FReplay[FNext];
                if (next.Depth < Depth) return;    // this modal window was closed there
                ++FNext;
                --FLeft;
                if (next.Depth > Depth) continue;  // a modal window that did not open now
                e = next;
            } else {
                e.Depth = Depth;
                e.Line = share == 0 ? "close" : Generate(Modal);
                if (share > 0) --share;
                --FLeft;
                FLog << e.Depth << ' ' << e.Line << std::endl;   // flushed: a crash keeps it
            }
            if (e.Line == "close") {
                if (Modal) Modal->SetModalResult(mrCancel);
                return;
            }
            Give(e, Modal, Depth);
        }
    }

    TCustomForm* FormOf(const std::string& Spec, TCustomForm* Modal) {
        if (Spec == "m") return Modal;
        if (Spec == "main") return FWindow.Main();
        const size_t hash = Spec.find('#');
        const std::string cls = Spec.substr(0, hash);
        int k = std::stoi(Spec.substr(hash + 1));
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TCustomForm* f = Screen->Forms(i);
            if (f->Visible() && f->ClassName() == cls && k-- == 0) return f;
        }
        return nullptr;
    }

    // The form an event goes to and its name in the log.
    std::pair<TCustomForm*, std::string> PickForm(TCustomForm* Modal) {
        if (Modal) return {Modal, "m"};
        TCustomForm* main = FWindow.Main();
        if (!FWindow.AllForms()) return {main, "main"};
        std::vector<TCustomForm*> shown;
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i)->Visible()) shown.push_back(Screen->Forms(i));
        TCustomForm* f = Screen->ActiveForm();
        if (!f || !f->Visible() || FRandom.Below(10) < 3) f = shown.empty() ? main : shown[size_t(FRandom.Below(int(shown.size())))];
        int k = 0;
        for (TCustomForm* g : shown) {
            if (g == f) break;
            if (g->ClassName() == f->ClassName()) ++k;
        }
        return {f, f->ClassName() + "#" + std::to_string(k)};
    }

    std::string Generate(TCustomForm* Modal) {
        std::ostringstream s;
        const int kind = FRandom.Below(100);
        const uint64_t answers = FRandom.Next() % 1000000;
        const TShiftState shifts[] = {0, 0, 0, 0, 0, 0, TShiftState(ssShift), TShiftState(ssCtrl)};
        const TShiftState shift = shifts[FRandom.Below(8)];
        if (kind < 30) {
            const uint16_t key = kKeys[FRandom.Below(int(std::size(kKeys)))];
            const int mods = FRandom.Below(6);
            const TShiftState modifiers[] = {0, TShiftState(ssShift), TShiftState(ssCtrl), TShiftState(ssAlt), 0, 0};
            TShiftState k = modifiers[mods];
            if (key >= 'A' && key <= 'Z' && mods == 0 && FRandom.Below(2)) k = ssCtrl;
            s << "key " << key << ' ' << int(k);
        } else if (kind < 38) {
            s << "text " << Hex(kTexts[FRandom.Below(int(std::size(kTexts)))]);
        } else if (kind < 40) {
            std::string t = kTexts[FRandom.Below(int(std::size(kTexts)))];
            if (FRandom.Below(3) == 0) t = t + "\r\n" + t;
            s << "paste " << Hex(t);
        } else if (kind < 43) {
            s << "time " << (1 + FRandom.Below(1500));
        } else if (kind < 48) {
            auto [form, spec] = PickForm(Modal);
            if (!form) return "time 1";
            const auto items = MenuCommands(form);
            if (items.empty()) return "time 1";
            s << "menu " << spec << ' ' << FRandom.Below(int(items.size()));
        } else {
            auto [form, spec] = PickForm(Modal);
            if (!form) return "time 1";
            std::vector<std::pair<TControl*, std::string>> controls;
            controls.emplace_back(form, ".");
            Showing(form, "", controls);
            const auto& [c, path] = controls[size_t(FRandom.Below(int(controls.size())))];
            const int w = std::max(1, c->ClientWidth()), h = std::max(1, c->ClientHeight());
            const int x = FRandom.Below(w), y = FRandom.Below(h);
            const int m = FRandom.Below(100);
            // The right button where the program has a context menu: the platform's own
            // menus (an edit's) run a loop of their own that no harness input reaches.
            const bool right = FRandom.Below(8) == 0 && c->PopupMenu();
            if (m < 70) s << "click " << spec << ' ' << path << ' ' << x << ' ' << y << ' ' << (right ? 'R' : 'L') << ' ' << int(shift);
            else if (m < 80) s << "dbl " << spec << ' ' << path << ' ' << x << ' ' << y << ' ' << int(shift);
            else if (m < 92) s << "drag " << spec << ' ' << path << ' ' << x << ' ' << y << ' ' << FRandom.Below(w + 40) - 20 << ' ' << FRandom.Below(h + 40) - 20 << ' ' << int(shift);
            else s << "wheel " << spec << ' ' << path << ' ' << x << ' ' << y << ' ' << (FRandom.Below(2) ? 120 : -120) << ' ' << int(shift & ssCtrl);
        }
        s << " a" << answers;
        return s.str();
    }

    // Every dialog of the event is answered from its number, as a user answers them: yes or
    // no, OK or cancel, a file of the run's folder or none; printing is always cancelled.
    TDialogAnswer Answer(const TDialogRequest& r) {
        TRandom rnd{FAnswerSeed * 7919 + uint64_t(FAnswered++)};
        TDialogAnswer a;
        switch (r.Kind) {
            case TDialogKind::MessageBox: {
                const int results[] = {IDOK, IDYES, IDNO, IDCANCEL};
                a.Result = results[rnd.Below(4)];
                break;
            }
            case TDialogKind::MessageDlg: {
                const int results[] = {mrOk, mrYes, mrNo, mrCancel};
                a.Result = results[rnd.Below(4)];
                break;
            }
            case TDialogKind::InputQuery:
                a.Result = rnd.Below(3) ? 1 : 0;
                a.Value = kTexts[rnd.Below(int(std::size(kTexts)))];
                break;
            case TDialogKind::SaveFile:
                a.Result = rnd.Below(3) == 0;
                a.Value = "monkey" + std::to_string(rnd.Below(3)) + (r.DefaultExt.empty() ? "" : "." + r.DefaultExt);
                a.Files = {a.Value};
                break;
            case TDialogKind::Color:
            case TDialogKind::Font:
                a.Result = rnd.Below(2);
                a.Color = static_cast<int32_t>(rnd.Next() & 0xFFFFFF);
                a.Font = r.Font;
                break;
            default:   // open files, folders, printing: cancelled
                a.Result = 0;
                break;
        }
        return a;
    }

    void Prepare(int Depth, uint64_t AnswerSeed) {
        FAnswerSeed = AnswerSeed;
        FAnswered = 0;
        // A pop-up menu (a context menu, a tool button's drop-down) picks one of its
        // commands, or closes.
        if (!FPopupQueued) {
            FPopupQueued = true;
            FHarness.OnPopup([this](TPopupMenu& Menu, TPoint) {
                FPopupQueued = false;
                TRandom rnd{FAnswerSeed * 31 + uint64_t(FAnswered++)};
                std::vector<TMenuItem*> items;
                TMenuItem* root = Menu.Items();
                for (int i = 0; root && i < root->Count(); ++i)
                    if (root->Items(i)->Visible() && root->Items(i)->Enabled() && root->Items(i)->Count() == 0 &&
                        !LeftOut(root->Items(i)))
                        items.push_back(root->Items(i));
                if (!items.empty() && rnd.Below(4)) H::ClickMenuItem(items[size_t(rnd.Below(int(items.size())))]);
            });
        }
        // A menu of Qt's own widgets (a calendar's month menu) runs a loop of its own; the
        // harness hands it over from inside that loop.
        if (FHarness.PendingOwnMenus() == 0)
            FHarness.OnOwnMenu([this](const std::vector<std::string>& Commands) {
                TRandom rnd{FAnswerSeed * 37 + uint64_t(FAnswered++)};
                if (std::getenv("MONKEY_TRACE"))
                    std::cerr << "monkey: a menu of Qt's own, " << Commands.size() << " commands\n";
                return Commands.empty() || rnd.Below(4) == 0 ? -1 : rnd.Below(int(Commands.size()));
            });
        if (FHarness.PendingAnswers() == 0)
            FHarness.Answer([this](const TDialogRequest& r) { return Answer(r); });
        if (FHarness.PendingDrivers() == 0)
            FHarness.OnModal([this, Depth](TCustomForm& Form) {
                const uint64_t seed = FAnswerSeed;
                Drive(Depth + 1, &Form);
                FAnswerSeed = seed;
                if (Form.Visible() && Form.ModalResult() == 0) Form.SetModalResult(mrCancel);
            });
    }

    void Give(const TMonkeyEvent& e, TCustomForm* Modal, int Depth) {
        std::istringstream s(e.Line);
        std::string kind;
        s >> kind;
        const size_t a = e.Line.rfind(" a");
        Prepare(Depth, a == std::string::npos ? 0 : std::stoull(e.Line.substr(a + 2)));
        ++FGiven;
        // An event that never returns (a loop of the platform's own that no input reaches,
        // a hang) ends the run as a fault.
        alarm(gEventSeconds);
        try {
            if (kind == "key") {
                int key = 0, shift = 0;
                s >> key >> shift;
                H::TypeKey(static_cast<uint16_t>(key), static_cast<TShiftState>(shift));
            } else if (kind == "text" || kind == "paste") {
                std::string hex;
                s >> hex;
                if (kind == "text") H::TypeText(Unhex(hex));
                else H::Paste(Unhex(hex));
            } else if (kind == "time") {
                int ms = 0;
                s >> ms;
                H::ElapseTime(ms);
            } else if (kind == "menu") {
                std::string spec;
                int index = 0;
                s >> spec >> index;
                TCustomForm* form = FormOf(spec, Modal);
                if (!form) return;
                const auto items = MenuCommands(form);
                if (index < int(items.size())) H::ClickMenuItem(items[size_t(index)]);
            } else {
                std::string spec, path;
                int x = 0, y = 0;
                s >> spec >> path >> x >> y;
                TCustomForm* form = FormOf(spec, Modal);
                TControl* c = form ? Resolve(form, path) : nullptr;
                if (!c) return;
                if (kind == "click") {
                    char button = 'L';
                    int shift = 0;
                    s >> button >> shift;
                    H::Click(c, TPoint{x, y}, button == 'R' ? mbRight : mbLeft, static_cast<TShiftState>(shift));
                } else if (kind == "dbl") {
                    int shift = 0;
                    s >> shift;
                    H::DblClick(c, TPoint{x, y}, static_cast<TShiftState>(shift));
                } else if (kind == "drag") {
                    int x2 = 0, y2 = 0, shift = 0;
                    s >> x2 >> y2 >> shift;
                    H::MouseDown(c, TPoint{x, y}, mbLeft, static_cast<TShiftState>(shift));
                    H::MouseMove(c, TPoint{(x + x2) / 2, (y + y2) / 2}, static_cast<TShiftState>(shift));
                    H::MouseMove(c, TPoint{x2, y2}, static_cast<TShiftState>(shift));
                    H::MouseUp(c, TPoint{x2, y2}, mbLeft, static_cast<TShiftState>(shift));
                } else if (kind == "wheel") {
                    int delta = 0, shift = 0;
                    s >> delta >> shift;
                    H::Wheel(c, delta, TPoint{x, y}, static_cast<TShiftState>(shift));
                }
            }
            alarm(0);
        } catch (const EUiTestFailure& f) {
            alarm(0);
            ++FMissed;
            if (std::getenv("MONKEY_TRACE")) std::cerr << "monkey: " << e.Line << ": " << f.what() << "\n";
            // Input a user could not give there (the control covered, the button still
            // down after a drag that a window took): the event did not happen.
            try {
                if (kind == "drag") H::MouseUp(FWindow.Main(), TPoint{0, 0});
            } catch (const EUiTestFailure&) {
            }
        } catch (const Exception& ex) {
            alarm(0);
            // The class library's errors are shown by the program's exception handling;
            // one that reaches the input's caller is noted.
            std::cerr << "monkey: event " << FGiven << " (" << e.Line << ") raised: " << ex.what() << "\n";
        }
    }

    TMonkeyWindow& FWindow;
    TUiTestHarness& FHarness;
    TRandom FRandom{0};
    std::ofstream FLog;
    std::vector<TMonkeyEvent> FReplay;
    size_t FNext = 0;
    bool FReplaying = false;
    int FLeft = 0;
    int FGiven = 0;
    uint64_t FAnswerSeed = 0;
    int FAnswered = 0;
    bool FPopupQueued = false;
    int FMissed = 0;
};

}  // namespace

void SetMonkeyEventSeconds(unsigned Seconds) { gEventSeconds = Seconds; }

TUiTestHarness& MonkeyHarness() {
    static TUiTestHarness* h = new TUiTestHarness();   // lives as long as the windows
    return *h;
}

int RunMonkey(TMonkeyWindow& Window, uint64_t Seed, int Count, const std::string& LogFile) {
    std::signal(SIGALRM, EventTooLong);
    TUiTestHarness& h = MonkeyHarness();
    Window.Open();
    TMonkey m(Window, h);
    return m.Run(Seed, Count, LogFile);
}

int ReplayMonkey(TMonkeyWindow& Window, const std::string& LogFile) {
    std::signal(SIGALRM, EventTooLong);
    TUiTestHarness& h = MonkeyHarness();
    Window.Open();
    TMonkey m(Window, h);
    return m.Replay(ReadMonkeyLog(LogFile));
}

std::vector<TMonkeyEvent> ReadMonkeyLog(const std::string& LogFile) {
    std::ifstream in(LogFile);
    if (!in) throw std::runtime_error("cannot read " + LogFile);
    std::vector<TMonkeyEvent> events;
    std::string line;
    while (std::getline(in, line)) {
        const size_t space = line.find(' ');
        if (space == std::string::npos) continue;
        events.push_back({std::stoi(line.substr(0, space)), line.substr(space + 1)});
    }
    return events;
}

void WriteMonkeyLog(const std::vector<TMonkeyEvent>& Events, const std::string& LogFile) {
    std::ofstream out(LogFile, std::ios::trunc);
    for (const TMonkeyEvent& e : Events) out << e.Depth << ' ' << e.Line << '\n';
}
