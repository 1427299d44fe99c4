#include <gtest/gtest.h>

#include <set>

#include "areas/legend.h"
#include "support/plane_helpers.h"
#include "terms/numtext.h"

namespace kw {
namespace {

using Legend = test::PanelFixture;
constexpr Rgb kGraph = rgb(200, 0, 0);

// A family's legend line and the values written beside its members: on the
// plane, over no other label nor the legend, only as many as have room.
TEST_F(Legend, AFamilyNamesItsRangeAndWritesTheValuesThatFitBesideItsMembers)
{
    const struct {
        const char* term;
        std::deque<std::optional<std::string>> answers;
        const char* legend;  // nothing: switched off
        std::size_t fewest, most;
    } rows[] = {
        {"x^2+@", {"-2", "5", "1"}, "f(x) = x^2+@ für @ = -2 … 5", 5, 8},
        {"@x", {"0,5", "2,5", "0,5"}, "f(x) = @x für @ = 0,5 … 2,5", 5, 5},
        {"x^2+@", {"-2", "5", "0,01"}, "f(x) = x^2+@ für @ = -2 … 5", 0, 2},
        {"x+@", {"100", "200", "10"}, "f(x) = x+@ für @ = 100 … 200", 0, 0},
        {"x^2+@", {"-2", "5", "1"}, nullptr, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.term + std::string(" ") + *row.answers.back());
        c.drawing.legendShown = row.legend != nullptr;
        ui.answers = row.answers;
        draw(row.term);
        std::vector<std::pair<std::string, PixelBox>> texts;
        for (const auto& it : c.plane.items())
            if (it.kind == Plane::Kind::Text && it.colour == kGraph) {
                const std::string& t = c.plane.textOf(it);
                texts.push_back({t, {it.x1, it.y1, it.x1 + textWidth(t), it.y1 + Plane::kLineHeight}});
            }
        if (!row.legend) {
            EXPECT_TRUE(texts.empty());
            continue;
        }
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front().first, row.legend);
        std::set<std::string> values;
        for (const auto& m : c.drawing.familyDrawn)
            values.insert(text(m.value));
        for (std::size_t i = 1; i < texts.size(); ++i) {
            const PixelBox& a = texts[i].second;
            EXPECT_TRUE(values.count(texts[i].first)) << texts[i].first;
            EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= c.plane.width() &&
                        a.bottom <= c.plane.height());
            for (std::size_t j = 0; j < i; ++j) {
                const PixelBox& b = texts[j].second;
                EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
                    << texts[i].first << " over " << texts[j].first;
            }
        }
        EXPECT_GE(texts.size() - 1, row.fewest);
        EXPECT_LE(texts.size() - 1, row.most);
    }
}

}  // namespace
}  // namespace kw
