#include "curves/bridge.h"

#include <cmath>

#include "core/context.h"
#include "curves/graph.h"
#include "terms/compiled.h"
#include "terms/numtext.h"
#include "terms/substitution.h"

namespace kw {

namespace {

double round9(double v) { return roundHalfEven(v * 1e9) / 1e9; }

}  // namespace

std::optional<Cable> cableFor(double s, double h, double t)
{
    if (!(s > 0 && t > 0 && h > t))
        return std::nullopt;
    // t·cosh(c·s/2) = h; with z = e^{c·s/2}: z² + p·z + 1 = 0.
    const double p = -h / (t / 2);
    const double z1 = (-p + std::sqrt(p * p - 4)) / 2;
    const double c1 = std::log(z1) / (s / 2);
    // The other root is 1/z1; taken as -c1 it cannot cancel to 0 for steep cables.
    const Cable cable{t * c1, -t * c1, c1, -c1};
    if (!(c1 > 0 && std::isfinite(c1) && std::isfinite(cable.a1)))
        return std::nullopt;
    return cable;
}

std::string cableTerm(const Cable& cable)
{
    const std::string a = text(cable.a1), c = text(cable.c1);
    return "(" + a + "/(" + c + "* 2))*(exp(" + c + "x)+exp(-" + c + "x))";
}

bool Berechne_CMD_Click(Context& c, BridgeFields& r)
{
    // A saved drawing keeps the fields as typed.
    BridgeState& kept = c.state.bridge;
    kept.Abstand_txt = r.Abstand_txt;
    kept.Hoehe_txt = r.Hoehe_txt;
    kept.Tiefster_Punkt_txt = r.Tiefster_Punkt_txt;
    struct Field {
        const std::string& text;
        std::string_view whenEmpty, whenInvalid;
    };
    const Field fields[] = {
        {r.Abstand_txt, kSpanEmptyMessage, kSpanInvalidMessage},
        {r.Hoehe_txt, kHeightEmptyMessage, kHeightInvalidMessage},
        {r.Tiefster_Punkt_txt, kLowestEmptyMessage, kLowestInvalidMessage},
    };
    double values[3];
    for (int i = 0; i < 3; ++i) {
        const auto v = readNumber(fields[i].text);
        if (!v) {
            c.ui.message(fields[i].text.empty() ? fields[i].whenEmpty : fields[i].whenInvalid);
            return false;
        }
        values[i] = *v;
    }
    const double s = values[0], h = values[1], t = values[2];
    const auto cable = cableFor(s, h, t);
    if (!cable) {
        c.ui.message(kNoCableMessage);
        return false;
    }

    r.a1_Ausgabe = text(round9(cable->a1));
    r.a2_Ausgabe = text(round9(cable->a2));
    r.c1_Ausgabe = text(round9(cable->c1));
    r.c2_Ausgabe = text(round9(cable->c2));
    State& st = c.state;
    st.main.Eingabe = cableTerm(*cable);
    st.main.x_eingabe = text(-s / 2);
    st.main.y_eingabe = text(s / 2);
    st.bridge.Brueck_zeichnen = true;
    c.ui.fieldsChanged();
    return true;
}

void Haengebruecke(Context& c, const DrawRequest& r)
{
    State& s = c.state;
    if (!s.bridge.Brueck_zeichnen)
        return;
    s.bridge.Brueck_zeichnen = false;  // later redraws show the cable alone
    s.bridge.towersShown = true;
    if (!r.left || !r.right)
        return;
    const double X = s.picture.X = *r.left, Y = s.picture.Y = *r.right;
    c.drawing.xterm = r.xterm;

    CompiledStatement statement(
        c.engine, "Form.Zahl2 = ",
        Substitution(c.drawing.xterm, {.maskExp = true, .collapseStars = true}).pattern());
    auto heightAt = [&](double x) -> std::optional<double> {
        if (statement.execute(x) != 0)
            return std::nullopt;  // no hanger of a stale height
        return s.results.Zahl2;
    };
    Plane& plane = c.plane;
    auto tower = [&](double x) {
        if (auto v = heightAt(x)) {
            plane.setPenWidth(9);
            plane.line(x, 0, x, *v);
            plane.setPenWidth(30);  // the foot
            plane.line(x, 0, x, *v / 8);
        }
    };

    // Towers at both ends, hangers every d strictly between them (none in the
    // middle), each at X + k·d so that no rounding adds up.
    const double d = Y <= 50 ? 1 : 5;
    const double rand = 1e-9 * d;
    plane.setPenWidth(1);
    tower(X);
    for (long k = 1;; ++k) {
        const double x = X + double(k) * d;
        if (!(x < Y - rand))
            break;
        if (std::fabs(x) < rand)
            continue;
        if (auto v = heightAt(x)) {
            plane.setPenWidth(1);
            plane.line(x, 0, x, *v, kHangerColour);
        }
    }
    if (Y > X)
        tower(Y);
}

}  // namespace kw
