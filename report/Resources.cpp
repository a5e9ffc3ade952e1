// The string table and form localisation.
#include "report/Resources.h"

#include <memory>

#include "platform/classes/Component.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/ImgList.h"
#include "report/Images.h"
#include "report/Utils.h"

namespace {
// Values longer than this are cut when a block line is applied (a window caption or hint
// never needs more).
constexpr int kMaxLocalizedValue = 4096;
}  // namespace

TfrxResources::TfrxResources()
    : FMainButtonImages(std::make_unique<TImageListComponent>(nullptr)),
      FDisabledButtonImages(std::make_unique<TImageListComponent>(nullptr)),
      FObjectImages(std::make_unique<TImageListComponent>(nullptr)) {
    FObjectImages->SetWidth(22);
    FObjectImages->SetHeight(22);
}

TfrxResources::~TfrxResources() = default;

void TfrxResources::FillButtonImages() {
    if (FMainButtonImages->Count() > 0) return;
    TBitmap strip;
    if (frxLoadResourceBitmap("frxBUTTONS", strip))
        frxAssignImages(&strip, 16, 16, FMainButtonImages.get(), FDisabledButtonImages.get());
}

TImageListComponent* TfrxResources::MainButtonImages() {
    FillButtonImages();
    return FMainButtonImages.get();
}

TImageListComponent* TfrxResources::DisabledButtonImages() {
    FillButtonImages();
    return FDisabledButtonImages.get();
}

void TfrxResources::FillObjectImages() {
    if (FObjectImages->Count() > 0) return;
    TBitmap strip;
    if (frxLoadResourceBitmap("frxOBJECTS", strip)) frxAssignImages(&strip, 22, 22, FObjectImages.get());
}

TImageListComponent* TfrxResources::ObjectImages() {
    FillObjectImages();
    return FObjectImages.get();
}

// Added pictures go after the program's own ones, so those are filled first even when
// nothing has read the list yet.
void TfrxResources::SetButtonImages(TBitmap* Images, bool Clear) {
    if (Clear) {
        FMainButtonImages->Clear();
        FDisabledButtonImages->Clear();
    } else {
        FillButtonImages();
    }
    frxAssignImages(Images, 16, 16, FMainButtonImages.get(), FDisabledButtonImages.get());
    // Each picture keeps its greyed twin at the same index: a picture added without one (a
    // wizard's button brings a single picture) gets its greyed drawing, white turned the
    // light grey of the twins, so that the tool bars' disabled pictures stay in step with
    // their pictures and look like the others.
    const TColor key = RGB(255, 0, 254);
    while (FDisabledButtonImages->Count() < FMainButtonImages->Count()) {
        TBitmap cell(16, 16);
        cell.Canvas()->Brush()->SetColor(key);
        cell.Canvas()->FillRect(Rect(0, 0, 16, 16));
        FMainButtonImages->Draw(cell.Canvas(), 0, 0, FDisabledButtonImages->Count(), false);
        for (int y = 0; y < 16; ++y) {
            uint32_t* line = cell.ScanLine(y);
            for (int x = 0; x < 16; ++x)
                if ((line[x] & 0xFFFFFF) == 0xFFFFFF) line[x] = 0xFFE0E0E0u;
        }
        FDisabledButtonImages->AddMasked(cell, key);
    }
}

void TfrxResources::SetObjectImages(TBitmap* Images, bool Clear) {
    if (Clear) FObjectImages->Clear();
    else FillObjectImages();
    frxAssignImages(Images, 22, 22, FObjectImages.get());
}

std::string TfrxResources::Get(std::string_view Key) const {
    auto it = FNames.find(LowerCase(Key));
    return it == FNames.end() ? std::string(Key) : FValues[it->second];
}

bool TfrxResources::Has(std::string_view Key) const { return FNames.count(LowerCase(Key)) != 0; }

void TfrxResources::Add(std::string_view Key, std::string_view Text) {
    const std::string key = LowerCase(Key);
    auto it = FNames.find(key);
    if (it != FNames.end()) {
        FValues[it->second] = std::string(Text);
        return;
    }
    FValues.emplace_back(Text);
    FNames.emplace(key, FValues.size() - 1);
}

void TfrxResources::LocalizeForm(TComponent* Form) const {
    if (!Form) return;
    auto it = FNames.find(LowerCase(Form->ClassName()));
    if (it == FNames.end()) return;
    TStringList lines;
    lines.SetText(FValues[it->second]);
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string left = line.substr(0, eq);
        std::string value = Copy(line, Length(left) + 2, kMaxLocalizedValue);
        TObject* target = Form;
        const size_t dot = left.find('.');
        if (dot != std::string::npos) {
            target = Form->FindComponent(left.substr(0, dot));
            left = left.substr(dot + 1);
        }
        if (!target) continue;
        const TPropInfo* prop = GetPropInfo(target, left);
        if (!prop || prop->Kind() != tkString || prop->IsReadOnly()) continue;
        SetStrProp(target, prop, value);
    }
}

TfrxResources& frxResources() {
    static const std::unique_ptr<TfrxResources> res = [] {
        auto r = std::make_unique<TfrxResources>();
        frxAddChineseResources(*r);
        return r;
    }();
    return *res;
}
