// Image lists: equal-sized images kept with their masks, drawn by index (tool bars,
// tree views, menus).
#pragma once

#include "platform/graphics/Graphics.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TImageList {
public:
    explicit TImageList(int width = 16, int height = 16);
    virtual ~TImageList();
    TImageList(const TImageList& other);
    TImageList& operator=(const TImageList& other);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size empties the list.
    void SetSize(int width, int height);
    int Count() const { return static_cast<int>(FImages.size()); }

    // Adds image (cut into as many Width-wide images as it holds, left to right); the
    // pixels of maskColor become transparent. Gives the index of the first image added.
    // A bitmap narrower than Width adds one image, padded transparent.
    int AddMasked(const TBitmap& image, TColor maskColor);
    // Adds without transparency.
    int Add(const TBitmap& image);
    void Delete(int index);
    void Clear();
    // Draws image index with its top left at (x, y); disabled draws it greyed. An index
    // out of range draws nothing.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
    // Copies image index onto bitmap (sized to the list, transparent pixels white);
    // false for an index out of range.
    bool GetBitmap(int index, TBitmap& bitmap) const;
    // Whether pixel (x, y) of image index is transparent.
    bool IsTransparent(int index, int x, int y) const;

    std::function<void(TImageList* Sender)> OnChange;
    // Differs between any two lists and after every change of one: whoever keeps
    // something made of the pictures (the controls' icons) knows when to make it again.
    uint64_t Stamp() const { return FStamp; }

private:
    void AddCells(const TBitmap& image, bool masked, TColor maskColor);
    void Changed();
    int FWidth;
    int FHeight;
    uint64_t FStamp;
    // Each image with its transparency as alpha (0: transparent).
    std::vector<std::shared_ptr<TBitmap>> FImages;
};
