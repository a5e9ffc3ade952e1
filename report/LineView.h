// The line view: a horizontal, vertical or diagonal line in the frame's colour, style and
// width. A straight line is drawn as the frame side of a view one pixel thin; it is
// stretchable so that a vertical line can grow with its band.
#pragma once

#include "report/Views.h"

class TfrxCustomLineView : public TfrxStretcheable {
    ROVE_CLASS(TfrxCustomLineView, TfrxStretcheable)
public:
    explicit TfrxCustomLineView(TComponent* AOwner);
    // Design-time creation: a Flags word other than 0 makes a diagonal line.
    TfrxCustomLineView(TComponent* AOwner, uint16_t Flags);

    bool Diagonal = false;

    // A straight line first becomes vertical (Width 0, left side) when it is at least as
    // tall as wide, else horizontal (Height 0, top side); then it draws its frame. A
    // diagonal runs from the top left to the bottom right corner.
    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    // That first step alone (the designer's page does it for lines it does not draw).
    void Straighten();
    std::string GetDescription() const override;
};

class TfrxLineView : public TfrxCustomLineView {
    ROVE_CLASS(TfrxLineView, TfrxCustomLineView)
public:
    explicit TfrxLineView(TComponent* AOwner) : TfrxCustomLineView(AOwner) {}
    TfrxLineView(TComponent* AOwner, uint16_t Flags) : TfrxCustomLineView(AOwner, Flags) {}
    static void DeclareProperties(TPropertyDecl<TfrxLineView>& d);
};
