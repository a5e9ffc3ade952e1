// The non-visual report component (the datasets are ones): in the designer a 28 x 28
// button-like square with its icon and its name underneath. Its design position streams
// as the integer properties "pLeft" and "pTop".
#pragma once

#include <memory>

#include "report/Component.h"

class TBitmap;

class TfrxDialogComponent : public TfrxReportComponent {
    ROVE_CLASS(TfrxDialogComponent, TfrxReportComponent)
public:
    explicit TfrxDialogComponent(TComponent* AOwner);
    ~TfrxDialogComponent() override;

    // Design view: the square with a raised edge, the icon, the name below.
    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    void DefineProperties(TFiler& Filer) override;

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    TBitmap* Bitmap() const { return FBitmap.get(); }

protected:
    // The user dataset has no icon.
    void DropIcon();

private:
    std::unique_ptr<TBitmap> FBitmap;
    int FImageIndex = -1;
};
