#include "areas/legend.h"

#include "core/context.h"

namespace kw {

void drawLegend(Context& c, std::span<const LegendEntry> entries)
{
    if (!c.drawing.legendShown || entries.empty())
        return;
    Plane& p = c.plane;
    // In pixels from the corner, so that the legend keeps its size at any zoom.
    constexpr double kMargin = 6, kStroke = 16, kTextGap = 4;
    const int width = p.penWidth();
    const Rgb colour = p.foreColor();
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const double top = kMargin + double(k) * Plane::kLineHeight;
        const double middle = top + Plane::kLineHeight / 2.0;
        p.setPenWidth(2);
        p.line(p.worldX(kMargin), p.worldY(middle), p.worldX(kMargin + kStroke), p.worldY(middle),
               entries[k].colour);
        p.setForeColor(entries[k].colour);
        p.setCurrentX(p.worldX(kMargin + kStroke + kTextGap));
        p.setCurrentY(p.worldY(top));
        p.print(entries[k].text);
    }
    p.setPenWidth(width);
    p.setForeColor(colour);
}

}  // namespace kw
