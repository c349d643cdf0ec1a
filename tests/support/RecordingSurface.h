// RecordingSurface: a drawing surface for tests that records every call and keeps a pixel
// raster of the window (fills, lines, copied images) and the texts written, at their window
// positions. Fonts are fake: fixed-pitch with a set cell width unless named proportional.
#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DrawingSurface.h"

namespace tarnwick::testing {

class RecordingSurface final : public platform::IDrawingSurface {
  public:
    static constexpr platform::SurfaceColor kUnpainted = 0xFFFFFFFF;
    static constexpr platform::SurfaceColor kFreshImage = 0xFFFFFF;  // a new image is white

    enum class Kind { SetFont, FillRect, TextOut, Line, Gradient, BeginImage, EndImage, SetClip };
    struct Call {
        Kind What = Kind::SetFont;
        bool InImage = false;
        platform::SurfaceRect Rect;  // fills, gradients, lines (their pixels), clips, images
        int X = 0;
        int Y = 0;
        std::string Text;
        platform::SurfaceColor Color = 0;
        platform::SurfaceColor Color2 = 0;
        int Bands = 0;
        platform::SurfaceFont Font;
    };
    // A text as it reached the window (image texts moved by the image's offset).
    struct PlacedText {
        int X = 0;
        int Y = 0;
        std::string Text;
        platform::SurfaceColor Color = 0;
        uint8_t Style = 0;
        std::string FontName;
        int CellWidth = 0;
    };

    RecordingSurface(int width, int height) : fWidth(width), fHeight(height) {
        fPixels.assign(static_cast<size_t>(width * height), kUnpainted);
    }

    // Fake font metrics.
    int CharWidth = 8;
    int TextHeight = 14;
    int BoldExtraWidth = 0;  // extra width of every character in bold
    std::set<std::string> ProportionalFonts{"Arial", "MS Sans Serif"};

    const std::vector<Call>& Calls() const { return fCalls; }
    const std::vector<PlacedText>& Texts() const { return fTexts; }
    int Count(Kind kind) const {
        return static_cast<int>(std::count_if(fCalls.begin(), fCalls.end(),
                                              [&](const Call& c) { return c.What == kind; }));
    }
    platform::SurfaceColor Pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= fWidth || y >= fHeight) {
            return kUnpainted;
        }
        return fPixels[static_cast<size_t>(y * fWidth + x)];
    }
    // The first text placed at (x, y), or nullptr.
    const PlacedText* TextAt(int x, int y) const {
        for (const PlacedText& t : fTexts) {
            if (t.X == x && t.Y == y) {
                return &t;
            }
        }
        return nullptr;
    }
    void ClearRecord() {
        fCalls.clear();
        fTexts.clear();
        fPixels.assign(fPixels.size(), kUnpainted);
    }

    void SetFont(const platform::SurfaceFont& font) override {
        fFont = font;
        Record(Kind::SetFont).Font = font;
    }
    platform::SurfaceTextExtent TextExtent(std::string_view text) override {
        int width = 0;
        for (char c : text) {
            width += CharWidthOf(c);
        }
        return {width, TextHeight};
    }
    bool FontIsFixedPitch() override { return !Proportional(); }

    void FillRect(const platform::SurfaceRect& rect, platform::SurfaceColor color) override {
        Call& c = Record(Kind::FillRect);
        c.Rect = rect;
        c.Color = color;
        Paint(rect, color);
    }
    void TextOut(int x, int y, std::string_view text, platform::SurfaceColor color,
                 int cellWidth) override {
        Call& c = Record(Kind::TextOut);
        c.X = x;
        c.Y = y;
        c.Text = std::string(text);
        c.Color = color;
        c.Font = fFont;
        PlacedText placed{x, y, std::string(text), color, fFont.Style, fFont.Name, cellWidth};
        (fInImage ? fImageTexts : fTexts).push_back(placed);
    }
    void Line(int x1, int y1, int x2, int y2, platform::SurfaceColor color, int penWidth) override {
        Call& c = Record(Kind::Line);
        c.X = x1;
        c.Y = y1;
        c.Color = color;
        platform::SurfaceRect pixels;
        if (platform::AxisLinePixels(x1, y1, x2, y2, penWidth, pixels)) {
            c.Rect = pixels;
            Paint(pixels, color);
        }
    }
    void FillGradient(const platform::SurfaceRect& rect, platform::SurfaceColor from,
                      platform::SurfaceColor to, int bands) override {
        Call& c = Record(Kind::Gradient);
        c.Rect = rect;
        c.Color = from;
        c.Color2 = to;
        c.Bands = bands;
        IDrawingSurface::FillGradient(rect, from, to, bands);
    }
    void BeginImage(int width, int height) override {
        Record(Kind::BeginImage).Rect = {0, 0, width, height};
        fInImage = true;
        fImageWidth = std::max(0, width);
        fImageHeight = std::max(0, height);
        fImage.assign(static_cast<size_t>(fImageWidth * fImageHeight), kFreshImage);
        fImageTexts.clear();
    }
    void EndImage(int x, int y) override {
        fInImage = false;
        Record(Kind::EndImage).Rect = {x, y, x + fImageWidth, y + fImageHeight};
        for (int iy = 0; iy < fImageHeight; ++iy) {
            for (int ix = 0; ix < fImageWidth; ++ix) {
                PutWindowPixel(x + ix, y + iy, fImage[static_cast<size_t>(iy * fImageWidth + ix)]);
            }
        }
        for (PlacedText t : fImageTexts) {
            t.X += x;
            t.Y += y;
            if (fClip.Contains(t.X, t.Y) || !fClipped) {
                fTexts.push_back(t);
            }
        }
        fImageTexts.clear();
    }
    void SetClip(const platform::SurfaceRect& rect) override {
        Record(Kind::SetClip).Rect = rect;
        fClip = rect;
        fClipped = true;
    }
    void ResetClip() override { fClipped = false; }

  private:
    bool Proportional() const { return ProportionalFonts.count(fFont.Name) != 0; }
    int CharWidthOf(char c) const {
        int w = CharWidth + ((fFont.Style & platform::kSurfaceBold) != 0 ? BoldExtraWidth : 0);
        if (Proportional() && (c == 'i' || c == 'l' || c == '.')) {
            w /= 2;
        }
        return w;
    }
    Call& Record(Kind kind) {
        Call c;
        c.What = kind;
        c.InImage = fInImage;
        fCalls.push_back(std::move(c));
        return fCalls.back();
    }
    void PutWindowPixel(int x, int y, platform::SurfaceColor color) {
        if (x < 0 || y < 0 || x >= fWidth || y >= fHeight || color == kUnpainted) {
            return;
        }
        if (fClipped && !fClip.Contains(x, y)) {
            return;
        }
        fPixels[static_cast<size_t>(y * fWidth + x)] = color;
    }
    void Paint(const platform::SurfaceRect& rect, platform::SurfaceColor color) {
        for (int y = rect.Top; y < rect.Bottom; ++y) {
            for (int x = rect.Left; x < rect.Right; ++x) {
                if (!fInImage) {
                    PutWindowPixel(x, y, color);
                } else if (x >= 0 && y >= 0 && x < fImageWidth && y < fImageHeight) {
                    fImage[static_cast<size_t>(y * fImageWidth + x)] = color;
                }
            }
        }
    }

    int fWidth;
    int fHeight;
    std::vector<platform::SurfaceColor> fPixels;
    std::vector<Call> fCalls;
    std::vector<PlacedText> fTexts;
    platform::SurfaceFont fFont;
    bool fInImage = false;
    int fImageWidth = 0;
    int fImageHeight = 0;
    std::vector<platform::SurfaceColor> fImage;
    std::vector<PlacedText> fImageTexts;
    platform::SurfaceRect fClip;
    bool fClipped = false;
};

}  // namespace tarnwick::testing
