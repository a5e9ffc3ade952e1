// The picture view: placement of the graphic, blob loading, the picture's diff.
#include "report/PictureView.h"

#include <cstring>

#include "platform/classes/Streaming.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/ImgList.h"
#include "report/DataSet.h"
#include "report/Images.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxPictureView)

namespace {

int rnd(double x) { return frxRoundInt(x); }

uint16_t U16(const TBytes& d, size_t at) { return static_cast<uint16_t>(d[at] | (d[at + 1] << 8)); }

uint32_t U32(const TBytes& d, size_t at) {
    return static_cast<uint32_t>(d[at]) | (static_cast<uint32_t>(d[at + 1]) << 8) |
           (static_cast<uint32_t>(d[at + 2]) << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}

// An icon directory whose header and entries lie inside the data: reserved 0, type 1,
// at least one image, every image inside the data.
bool IsIconDirectory(const TBytes& d, size_t start) {
    const size_t size = d.size() - start;
    if (size < 6 || U16(d, start) != 0 || U16(d, start + 2) != 1) return false;
    const size_t count = U16(d, start + 4);
    if (count == 0 || size < 6 + 16 * count) return false;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = start + 6 + 16 * i;
        const uint64_t bytes = U32(d, entry + 8), offset = U32(d, entry + 12);
        if (bytes == 0 || offset + bytes > size) return false;
    }
    return true;
}

const char* GraphicClassFor(const TBytes& d, size_t start) {
    const size_t size = d.size() - start;
    if (size >= 2 && U16(d, start) == 19778) return "TBitmap";
    if (size >= 2 && d[start] == 0xFF && d[start + 1] == 0xD8) return "TJPEGImage";
    if (size >= 4 && U32(d, start) == 0x9AC6CDD7) return "TMetafile";
    if (size >= 44 && U32(d, start + 40) == 0x464D4520) return "TMetafile";
    if (IsIconDirectory(d, start)) return "TIcon";
    return nullptr;
}

std::string Hex(const std::string& Data) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    s.reserve(Data.size() * 2);
    for (unsigned char c : Data) {
        s += digits[c >> 4];
        s += digits[c & 15];
    }
    return s;
}

}  // namespace

TfrxPictureView::TfrxPictureView(TComponent* AOwner) : TfrxView(AOwner) { Init(); }

TfrxPictureView::TfrxPictureView(TComponent* AOwner, uint16_t Flags) : TfrxView(AOwner, Flags) { Init(); }

void TfrxPictureView::Init() {
    FPicture = std::make_unique<TPicture>();
    FPicture->OnChange = [this](TObject*) { PictureChangedEvent(); };
    SetColor(clWhite);
}

TfrxPictureView::~TfrxPictureView() { FPicture->OnChange = nullptr; }

void TfrxPictureView::DeclareProperties(TPropertyDecl<TfrxPictureView>& d) {
    using T = TfrxPictureView;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubAll);
    Publish(d, {"Align"});
    d.Property("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(false);
    Publish(d, {"BrushStyle"});
    d.Property("Center", &T::Center, &T::Center).Default(false);
    Publish(d, {"Color", "Cursor", "DataField", "DataSet", "DataSetName", "Frame"});
    d.Property("KeepAspectRatio", &T::KeepAspectRatio, &T::KeepAspectRatio).Default(true);
    d.Property("Picture", &T::Picture, &T::SetPicture);
    Publish(d, {"Printable", "ShiftMode"});
    d.Property("Stretched", &T::Stretched, &T::Stretched).Default(true);
    Publish(d, {"TagStr", "URL", "OnAfterData", "OnAfterPrint", "OnBeforePrint", "OnPreviewClick"});
}

std::string TfrxPictureView::GetDescription() const { return frxResources().Get("obPicture"); }

void TfrxPictureView::SetAutoSize(bool Value) {
    FAutoSize = Value;
    if (Value && !FPicture->Empty()) {
        SetWidth(FPicture->Width());
        SetHeight(FPicture->Height());
    }
}

void TfrxPictureView::PictureChangedEvent() {
    SetAutoSize(FAutoSize);
    PictureChanged = true;
}

TRect TfrxPictureView::PictureRect() const {
    TRect r = Rect(FX, FY, FX1, FY1);
    const int w = FPicture->Width(), h = FPicture->Height();
    if (Stretched) {
        if (KeepAspectRatio && w > 0 && h > 0) {
            const double kx = static_cast<double>(FDX) / w;
            const double ky = static_cast<double>(FDY) / h;
            if (ky > kx) r.Bottom = r.Top + rnd(h * kx);
            else r.Right = r.Left + rnd(w * ky);
            if (Center) OffsetRect(r, (FDX - r.Width()) / 2, (FDY - r.Height()) / 2);
        }
        return r;
    }
    const int sw = rnd(w * FScaleX), sh = rnd(h * FScaleY);
    if (Center) OffsetRect(r, (FDX - sw) / 2, (FDY - sh) / 2);
    r.Right = r.Left + sw;
    r.Bottom = r.Top + sh;
    return r;
}

void TfrxPictureView::Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    BeginDraw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    DrawBackground();
    if (!FPicture->Empty()) {
        frxDrawGraphic(Canvas, PictureRect(), FPicture->Graphic());
    } else if (IsDesigning()) {
        // The designer marks an empty picture with its name and the picture object's image.
        TFont font;
        font.SetName("Tahoma");
        font.SetSize(8);
        font.SetColor(clBlack);
        Canvas->SetFont(font);
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->TextOut(FX + 20, FY + 3, frxResources().Get("obPicture"));
        if (TImageListComponent* images = frxResources().ObjectImages())
            images->Draw(Canvas, FX + 1, FY + 2, frxObject::Picture);
    }
    DrawFrame();
}

void TfrxPictureView::LoadPictureFromBlob(const TBytes& Data) {
    size_t start = 0;
    if (Data.size() >= 8 && U16(Data, 0) == 1 && U16(Data, 2) == 256 && U32(Data, 4) == Data.size() - 8) start = 8;
    const char* kind = Data.size() > start ? GraphicClassFor(Data, start) : nullptr;
    std::unique_ptr<TGraphic> graphic = kind ? TPicture::CreateGraphic(kind) : nullptr;
    if (!graphic) {
        FPicture->Clear();
        return;
    }
    try {
        graphic->LoadFromBytes(Data.data() + start, Data.size() - start);
    } catch (const std::exception&) {
        // A damaged image prints nothing rather than stopping the report.
        FPicture->Clear();
        return;
    }
    FPicture->SetGraphic(std::move(graphic));
}

void TfrxPictureView::GetData() {
    TfrxView::GetData();
    if (!IsDataField()) return;
    TMemoryStream blob;
    DataSet()->AssignBlobTo(DataField, &blob);
    const auto* p = reinterpret_cast<const uint8_t*>(blob.Memory());
    LoadPictureFromBlob(TBytes(p, p + blob.Size()));
}

void TfrxPictureView::DiffTo(TfrxComponent* AComponent, std::string& Out) {
    if (!AComponent) return;
    if (PictureChanged) {
        const std::string data = WritePropData(FPicture.get(), Report());
        if (!data.empty()) frxDiffItem(Out, "Picture.PropData", Hex(data));
    }
    ComponentDiff(AComponent, Out);
}
