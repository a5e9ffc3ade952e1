// The about box.
#include "designer/dialogs/AboutForm.h"

#include "platform/graphics/Graphics.h"
#include "platform/ui/ImgList.h"
#include "report/Images.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxAboutForm)

TfrxAboutForm::TfrxAboutForm(TComponent* AOwner) : TForm(AOwner) {
    SetName("frxAboutForm");
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetScaled(false);
    SetClientWidth(261);
    SetClientHeight(265);
    SetColor(TColor(0xF0F0F0));
    Font()->SetName("Tahoma");
    Font()->SetSize(8);
    SetText("About");

    Bevel1 = new TBevel(this);
    Bevel1->SetName("Bevel1");
    Bevel1->SetParent(this);
    Bevel1->SetBounds(0, 0, 261, 265);
    Bevel1->SetShape(bsFrame);

    // The library's picture: its report emblem drawn large.
    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetParent(this);
    Image1->SetBounds(16, 24, 62, 62);
    TBitmap emblem;
    emblem.SetSize(22, 22);
    emblem.Canvas()->Brush()->SetColor(TColor(0xF0F0F0));
    emblem.Canvas()->FillRect(Rect(0, 0, 22, 22));
    frxResources().ObjectImages()->Draw(emblem.Canvas(), 0, 0, frxObject::Report);
    Image1->Picture()->SetGraphic(&emblem);
    Image1->SetStretch(true);

    TitleL = new TLabel(this);
    TitleL->SetName("TitleL");
    TitleL->SetParent(this);
    TitleL->SetAutoSize(false);
    TitleL->SetAlignment(taRightJustify);
    TitleL->SetBounds(84, 28, 161, 32);
    TitleL->Font()->SetName("Verdana");
    TitleL->Font()->SetHeight(-24);
    TitleL->Font()->SetStyle(TFontStyles{fsBold});
    TitleL->SetCaption("Brightline");

    VersionL = new TLabel(this);
    VersionL->SetName("VersionL");
    VersionL->SetParent(this);
    VersionL->SetAutoSize(false);
    VersionL->SetAlignment(taRightJustify);
    VersionL->SetBounds(84, 66, 161, 16);
    VersionL->Font()->SetStyle(TFontStyles{fsBold});
    VersionL->SetCaption("Report designer");

    Bevel2 = new TBevel(this);
    Bevel2->SetName("Bevel2");
    Bevel2->SetParent(this);
    Bevel2->SetShape(bsTopLine);
    Bevel2->SetBounds(16, 210, 229, 2);

    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(this);
    Button1->SetBounds(93, 224, 75, 25);
    Button1->SetCaption("OK");
    Button1->SetDefault(true);
    Button1->SetModalResult(mrOk);

    frxResources().LocalizeForm(this);
    // The version follows the localised name of the library's part.
    VersionL->SetCaption(VersionL->Caption() + " " + frxVersion);
}
