// The script editor under random use: each byte of the input picks an action (a key with
// its modifiers, typed or pasted text, a selection set from outside, undo, a mouse press,
// drag or wheel turn, a resize down to nothing, a paint, another language, a search) that
// reaches the editor through the window system's input path, on a form shown offscreen.
// After every action the editor must stand inside its text: the caret and both ends of a
// selection on a line of the text, the first line shown a line of the text, the text the
// same whether read whole or line by line.
#include "FuzzSupport.h"

#include <memory>
#include <string>

#include "designer/code/SyntaxMemo.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiTest.h"

namespace {
using H = TUiTestHarness;

// The input, read a byte at a time; past its end every read is 0.
struct TInputBytes {
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
    bool More() const { return Pos < Size; }
    uint8_t Byte() { return Pos < Size ? Data[Pos++] : 0; }
    std::string Bytes(size_t Count) {
        const size_t n = std::min(Count, Size - std::min(Pos, Size));
        std::string s(reinterpret_cast<const char*>(Data + Pos), n);
        Pos += n;
        return s;
    }
};

const uint16_t kKeys[] = {VK_LEFT, VK_RIGHT, VK_UP,     VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT,
                          VK_BACK, VK_DELETE, VK_RETURN, VK_TAB,  VK_INSERT, VK_ESCAPE, VK_F3,
                          'A',     'C',       'V',       'X',     'Y',     'Z',    'I',    'U',
                          '0',     '1',       '5',       '9',     'K',     'Q',    'B'};
const char* const kTexts[] = {"begin",   "end;", "  x := 1;", "{ a", "}", "(*", "*)", "//", "'", "\"",
                              "中文字符", "/*",   "*/",        "\t", " ", "if x then", "ｗｉｄｅ", "𝄞"};
const char* const kSyntaxes[] = {"PascalScript", "C++Script", "JScript", "BasicScript", "SQL", ""};

TShiftState ShiftOf(uint8_t b) {
    TShiftState s = 0;
    if (b & 1) s |= ssShift;
    if (b & 2) s |= ssCtrl;
    if ((b & 12) == 12) s |= ssAlt;
    return s;
}

struct TEditor {
    TUiTestHarness Harness;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TfrxSyntaxMemo* Memo = new TfrxSyntaxMemo(Form.get());
    TEditor() {
        Form->SetClientWidth(480);
        Form->SetClientHeight(320);
        Memo->SetParent(Form.get());
        Memo->SetBounds(0, 0, 480, 320);
        Form->Show();
        H::ProcessMessages();
    }
};

void Check(TfrxSyntaxMemo& m, size_t At) {
    auto FuzzFail = [&](const std::string& What) {
        ::FuzzFail(What + " after the action at byte " + std::to_string(At) + " (first line shown " +
                   std::to_string(m.OffsetY()) + ", caret line " + std::to_string(m.GetCaretPos().Y) + " of " +
                   std::to_string(m.LineCount()) + ")");
    };
    const int lines = m.LineCount();
    if (lines < 1) FuzzFail("the editor holds no line");
    auto inside = [&](TfrxCaretPos p) { return p.Y >= 1 && p.Y <= lines && p.X >= 1; };
    if (!inside(m.GetCaretPos())) FuzzFail("the caret stands outside the text");
    if (m.HasSelection() && (!inside(m.SelAnchor()) || !inside(m.SelEnd())))
        FuzzFail("an end of the selection stands outside the text");
    if (m.OffsetY() < 0 || m.OffsetY() >= lines) FuzzFail("the first line shown is no line of the text");
    if (m.OffsetX() < 0) FuzzFail("the text is scrolled left of its start");
    std::string joined;
    for (int i = 0; i < lines; ++i) joined += (i ? "\r\n" : "") + m.LineText(i);
    if (joined != m.Text()) FuzzFail("the text read whole differs from its lines");
    (void)m.GetSelText();
}

void Act(TEditor& e, TInputBytes& in) {
    TfrxSyntaxMemo& m = *e.Memo;
    const uint8_t op = in.Byte();
    switch (op % 12) {
        case 0:
        case 1:
        case 2: {   // a key, the commonest action
            const uint16_t key = kKeys[in.Byte() % std::size(kKeys)];
            H::TypeKey(key, ShiftOf(op >> 4));
            break;
        }
        case 3: {   // typed text: a piece of script or printable characters
            const uint8_t b = in.Byte();
            if (b & 1) H::TypeText(kTexts[(b >> 1) % std::size(kTexts)]);
            else {
                std::string s = in.Bytes(b >> 4);
                for (char& c : s) c = static_cast<char>(' ' + static_cast<uint8_t>(c) % 95);
                H::TypeText(s);
            }
            break;
        }
        case 4:   // pasted text, any bytes (bad UTF-8 and line breaks of every kind)
            H::Paste(in.Bytes(in.Byte() % 64));
            break;
        case 5: {   // a selection from outside (the find dialog, the debugger)
            const int x1 = in.Byte() - 8, y1 = in.Byte() - 8, x2 = in.Byte() * 8, y2 = in.Byte() - 8;
            m.SetSelection({x1, y1}, {x2, y2});
            break;
        }
        case 6:
            H::TypeKey('Z', ssCtrl);
            break;
        case 7: {   // the mouse: a click, a drag, a double click or a wheel turn
            const uint8_t kind = in.Byte();
            const int w = std::max(1, m.ClientWidth()), h = std::max(1, m.ClientHeight());
            const TPoint a{in.Byte() % w, in.Byte() % h}, b{in.Byte() % w, in.Byte() % h};
            switch (kind % 4) {
                case 0: H::Click(&m, a, mbLeft, ShiftOf(kind >> 2) & ssShift); break;
                case 1:
                    H::MouseDown(&m, a);
                    H::MouseMove(&m, b);
                    H::MouseUp(&m, b);
                    break;
                case 2: H::DblClick(&m, a); break;
                case 3: H::Wheel(&m, (kind & 16) ? -120 : 120, a); break;
            }
            break;
        }
        case 8: {   // the window resized, down to nothing
            const int w = in.Byte() * 3, h = in.Byte() % 200;
            m.SetBounds(0, 0, w, h);
            H::ProcessMessages();
            break;
        }
        case 9: {   // painted
            TBitmap picture;
            H::Grab(&m, picture);
            break;
        }
        case 10:
            m.SetSyntax(kSyntaxes[in.Byte() % std::size(kSyntaxes)]);
            break;
        case 11: {
            int pos = in.Byte();
            m.FindText(kTexts[in.Byte() % std::size(kTexts)], in.Byte() & 1, pos);
            break;
        }
    }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzStartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static TEditor* editor = nullptr;
    if (!editor) editor = new TEditor;   // one window for every input, as a user keeps it open
    TEditor& e = *editor;
    e.Memo->SetBounds(0, 0, 480, 320);
    e.Memo->SetLines(std::vector<std::string>{"begin", "  x := 1; { comment", "  y := 'text';", "end."});
    e.Memo->SetSyntax("PascalScript");
    H::ProcessMessages();
    try {
        H::Click(e.Memo, TPoint{60, 5});
    } catch (const EUiTestFailure&) {
        FuzzFail("the editor cannot be clicked");
    }
    TInputBytes in{Data, Size};
    while (in.More()) {
        const size_t at = in.Pos;
        try {
            Act(e, in);
        } catch (const EUiTestFailure&) {
            // Input a user could not give here (the editor resized to nothing, the focus
            // elsewhere): the action did not happen.
        } catch (const Exception&) {
            // Refused by the class library (a message, not a fault).
        }
        Check(*e.Memo, at);
    }
    return 0;
}
