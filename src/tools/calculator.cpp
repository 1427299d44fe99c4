#include "tools/calculator.h"

#include <algorithm>

#include "core/context.h"
#include "terms/numtext.h"

namespace kw {

const std::array<CalculatorKey, 26> kCalculatorKeys = {{
    {"Button_0", "0", "0"},
    {"Button_1", "1", "1"},
    {"Button_2", "2", "2"},
    {"Button_3", "3", "3"},
    {"Button_4", "4", "4"},
    {"Button_5", "5", "5"},
    {"Button_6", "6", "6"},
    {"Button_7", "7", "7"},
    {"Button_8", "8", "8"},
    {"Button_9", "9", "9"},
    {"Button_Punkt", ".", "."},
    {"eula_button", "e", "2.71828182845904"},
    {"Pi_button", "Pi", "3.14159265358979"},
    {"button_exp", "exp", "exp("},
    {"Button_Klammer_links", "(", "("},
    {"Button_Klammer_rechts", ")", ")"},
    {"button_tan", "tan", "tan("},
    {"Button_exponent", "^", "^"},
    {"Button_wurzel", "√", "sqr("},
    {"button_cos", "cos", "cos("},
    {"Button_Division", "/", "/"},
    {"Button_Mal", "*", "*"},
    {"button_sinus", "sin", "sin("},
    {"Button_Minus", "-", "-"},
    {"Button_Plus", "+", "+"},
    {"button_log", "log", "log("},
}};

const CalculatorKey* calculatorKey(std::string_view name)
{
    auto it = std::find_if(kCalculatorKeys.begin(), kCalculatorKeys.end(),
                           [name](const CalculatorKey& k) { return k.name == name; });
    return it == kCalculatorKeys.end() ? nullptr : &*it;
}

void pressKey(CalculatorFields& t, const CalculatorKey& key)
{
    t.Eingabe += key.text;
}

bool Command1_Click(Context& c, CalculatorFields& t)
{
    const std::string statement = "Form.Zahl8 =" + t.Eingabe;
    if (c.engine.execute(statement) != 0) {
        c.engine.clearError();
        c.ui.message(kInputErrorMessage);
        return false;
    }
    t.Ergebnis = text(c.state.results.Zahl8);
    return true;
}

void Command2_Click(CalculatorFields& t)
{
    t.Eingabe.clear();
    t.Ergebnis.clear();
}

}  // namespace kw
