#include "tools/help.h"

namespace kw {

const std::array<std::string_view, 19> kHelpLines = {
    "Die Funktionsterme können weitgehend nach den normalen Schreibgewohnheiten angegeben werden.",
    "* Die vereinfachte Multiplikationsschreibweise (ohne Punkt, z.B.: 2x+1  oder (x-2)(4+2x)) wird verstanden. ",
    "* Als Multiplikationszeichen wird ansonsten der Stern * verwendet (Bsp.: (x-2)*(4+2*x)).",
    "* Potenzen, wie x², werden mit dem Zeichen ^ geschrieben (auf der Tastatur links neben der 1), z.B.: x^2. ",
    "* Das Divisionszeichen ist / .",
    "* Es werden sowohl Dezimalkommas(3,1415926) als auch -punkte (1.618) verstanden.",
    "* Der Plotter beachtet die normalen Rechenregeln ('Punkt- vor Strichrechnung' und dergleichen) und versteht auch verschachtelte Klammerung. Argumente von Funktionen müssen stets in runden Klammern geschrieben werden, z.B.: sqr(sin(x)+2).",
    "* Bei Gebrochenrationalen Funktionen sollte der Nenner und Zähler immer in Klammern geschrieben werden z.b (2x+2)/(2+x) aber auch 1/(x-2x)",
    "* Mit dem Zeichen @ als Parametar, können Funktionenscharren dargestellt werden. Vor dem x kann das @ ohne Mal zeichen gesetzt werden. Sonst muss es wie eine Zahl behandet werden und mit dem * Zeichen eingegeben werden. z.B @x^2 oder 2*@x^2",
    "Weitere Operatoren:",
    "* sqr: Quadratwurzel",
    "* log: natürlicher Logarithmus",
    "* exp: Exponentialfunktion",
    "* abs: Absolutwert (Betragsfunktion)",
    "* int: auf Ganzzahl abschneiden",
    "* sin: Sinus* ",
    "* cos: Kosinus* ",
    "* tan: Tangens* ",
    " *) Die trigonometrischen Funktionen verwenden nicht das Gradsystem, sondern das Bogenmaßsystem, wobei 360°=2pi ist.",
};

std::string helpText()
{
    std::string text;
    for (std::string_view line : kHelpLines) {
        if (!text.empty())
            text += "\r\n";
        text += line;
    }
    return text;
}

}  // namespace kw
