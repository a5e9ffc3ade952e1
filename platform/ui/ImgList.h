// The image list component of forms: equal-sized pictures drawn by index by tool bars,
// menus and list views. It streams as "object ImageList1: TImageList" with Width, Height
// and its pictures as binary data.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/graphics/ImageList.h"

class TImageListComponent : public TComponent {
    ROVE_CLASS(TImageListComponent, TComponent)
public:
    explicit TImageListComponent(TComponent* AOwner);

    TImageList& List() { return FList; }
    const TImageList& List() const { return FList; }
    int Width() const { return FList.Width(); }
    void SetWidth(int Value) { FList.SetSize(Value, FList.Height()); }
    int Height() const { return FList.Height(); }
    void SetHeight(int Value) { FList.SetSize(FList.Width(), Value); }
    int Count() const { return FList.Count(); }
    int AddMasked(const TBitmap& Image, TColor MaskColor) { return FList.AddMasked(Image, MaskColor); }
    int Add(const TBitmap& Image) { return FList.Add(Image); }
    void Clear() { FList.Clear(); }
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const {
        FList.Draw(Canvas, X, Y, Index, Enabled);
    }

    // "Bitmap": the pictures side by side and their transparency, each as a BMP.
    void DefineProperties(TFiler& Filer) override;
    static void DeclareProperties(TPropertyDecl<TImageListComponent>& d);

    // Clients (tool bars, menus) follow changes.
    TNotifyEvent OnChange;

private:
    std::string WriteImages() const;
    void ReadImages(const std::string& Data);
    TImageList FList;
};
