// The clipboard over QClipboard (an in-process clipboard on the offscreen platform).
#include "platform/ui/Clipbrd.h"

#include "platform/graphics/QtBridge.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/QtText.h"

#include <map>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace {
QClipboard* Board() {
    Application->Initialize();
    return QGuiApplication::clipboard();
}
}  // namespace

TClipboard* Clipboard() {
    static TClipboard instance;
    return &instance;
}

std::string TClipboard::AsText() const { return StdStr(Board()->text()); }

void TClipboard::SetAsText(const std::string& Value) { Board()->setText(QStr(Value)); }

bool TClipboard::HasFormat(unsigned Format) const {
    const QMimeData* m = Board()->mimeData();
    if (!m) return false;
    switch (Format) {
    case CF_TEXT:
    case CF_UNICODETEXT: return m->hasText();
    case CF_BITMAP: return m->hasImage();
    default: return false;
    }
}

void TClipboard::Clear() { Board()->clear(); }

bool TClipboard::GetPicture(TPicture& Picture) const {
    QImage image = Board()->image();
    if (image.isNull()) return false;
    TBitmap bitmap;
    SetBitmapImage(bitmap, image);
    Picture.SetGraphic(&bitmap);
    return true;
}

void TClipboard::SetPicture(const TGraphic& Graphic) {
    TBitmap bitmap;
    bitmap.Assign(Graphic);
    Board()->setImage(BitmapImage(bitmap));
}

namespace {
struct TClipboardListeners {
    std::map<int, std::function<void()>> Items;
    int Next = 1;
    bool Connected = false;
};
TClipboardListeners& Listeners() {
    static TClipboardListeners l;
    return l;
}
}  // namespace

int TClipboard::AddChangeListener(std::function<void()> Listener) {
    TClipboardListeners& l = Listeners();
    if (!l.Connected) {
        l.Connected = true;
        QObject::connect(Board(), &QClipboard::dataChanged, [] {
            // A listener may remove itself (or others) while it runs.
            const auto items = Listeners().Items;
            for (const auto& [id, fn] : items)
                if (Listeners().Items.count(id)) SafeCall(fn);
        });
    }
    const int id = l.Next++;
    l.Items[id] = std::move(Listener);
    return id;
}

void TClipboard::RemoveChangeListener(int Id) { Listeners().Items.erase(Id); }
