// The picture view: an image (bitmap, JPEG, PNG, icon or metafile) from the template or
// from a blob field of a dataset, drawn stretched (keeping its aspect ratio or not),
// centred, or at its natural size, over the view's background and under its frame.
#pragma once

#include <memory>

#include "platform/graphics/Graphics.h"
#include "report/Views.h"

class TfrxPictureView : public TfrxView {
    ROVE_CLASS(TfrxPictureView, TfrxView)
public:
    explicit TfrxPictureView(TComponent* AOwner);
    TfrxPictureView(TComponent* AOwner, uint16_t Flags);
    ~TfrxPictureView() override;

    bool AutoSize() const { return FAutoSize; }
    // With True and a graphic loaded, the view takes the graphic's size.
    void SetAutoSize(bool Value);
    bool Center = false;
    bool KeepAspectRatio = true;
    TPicture* Picture() const { return FPicture.get(); }
    // Copies the picture.
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    bool Stretched = true;
    // Set whenever the picture changes; a new run starts with it clear.
    bool PictureChanged = false;

    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    // The view's TagStr and URL; a view bound to a field loads the field's picture.
    void GetData() override;
    void BeforeStartReport() override { PictureChanged = false; }
    // The component items, preceded by the picture's data when it changed.
    void DiffTo(TfrxComponent* AComponent, std::string& Out) override;
    std::string GetDescription() const override;

    // Loads the picture from blob bytes: an 8-byte header (1, 256, the length of the rest)
    // is skipped; BMP, JPEG, placeable WMF, EMF and icon data are recognised by their
    // first bytes. Anything else, and data that does not decode, empties the picture.
    void LoadPictureFromBlob(const TBytes& Data);
    // The rectangle the graphic is drawn into (after BeginDraw).
    TRect PictureRect() const;

    static void DeclareProperties(TPropertyDecl<TfrxPictureView>& d);

private:
    void Init();
    void PictureChangedEvent();

    bool FAutoSize = false;
    std::unique_ptr<TPicture> FPicture;
};
