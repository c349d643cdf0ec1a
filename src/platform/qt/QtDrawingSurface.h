// QtDrawingSurface: the drawing surface on a QPainter (the widget's during a paint event), with
// one reusable off-screen QImage for the line and gutter images. Bytes are shown through the
// Windows-1252 table; "FixedSys" is the system fixed-pitch font.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/DrawingSurface.h"

namespace tarnwick::platform {

class QtDrawingSurface final : public IDrawingSurface {
  public:
    // painter (not owned) must stay active while the surface draws; with nullptr the surface
    // only selects fonts and measures text.
    explicit QtDrawingSurface(QPainter* painter);
    ~QtDrawingSurface() override;

    void SetFont(const SurfaceFont& font) override;
    SurfaceTextExtent TextExtent(std::string_view text) override;
    bool FontIsFixedPitch() override;
    void FillRect(const SurfaceRect& rect, SurfaceColor color) override;
    void TextOut(int x, int y, std::string_view text, SurfaceColor color, int cellWidth) override;
    void Line(int x1, int y1, int x2, int y2, SurfaceColor color, int penWidth) override;
    void BeginImage(int width, int height) override;
    void EndImage(int x, int y) override;
    void SetClip(const SurfaceRect& rect) override;
    void ResetClip() override;

    // The Qt font a surface font request stands for.
    static QFont ToQFont(const SurfaceFont& font);
    static QColor ToQColor(SurfaceColor color);

  private:
    QPainter* Current() const;

    QPainter* fWindow;
    QFont fFont;
    SurfaceFont fRequested;
    bool fHaveFont = false;
    QImage fImage;  // grows to the largest image asked for, then reused
    std::unique_ptr<QPainter> fImagePainter;
    bool fInImage = false;
    int fImageWidth = 0;
    int fImageHeight = 0;
};

}  // namespace tarnwick::platform
