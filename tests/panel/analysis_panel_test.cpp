#include <gtest/gtest.h>

#include "panel/analysis_panel.h"
#include "panel/colours.h"
#include "panel/context.h"
#include "panel/main_panel.h"
#include "support/recording_ui.h"

using namespace kw;

namespace {

TEST(ColourLists, ChoiceRule)
{
    State s;
    s.FarbeBox_Umkehrfunktion = "Magenta";
    EXPECT_EQ(farbeGewaehlt(s, Farbliste::Umkehrfunktion), rgb(199, 21, 133));
    EXPECT_EQ(s.Umkehrfunktion_Farbe, "8721863");
    EXPECT_TRUE(s.umkehrfunktion_Farbe_test);

    // Unknown names and wrong case: the flag is set, the colour kept.
    for (const char* name : {"grün", "Pink", ""}) {
        s.FarbeBox_Umkehrfunktion = name;
        s.umkehrfunktion_Farbe_test = false;
        EXPECT_FALSE(farbeGewaehlt(s, Farbliste::Umkehrfunktion)) << name;
        EXPECT_TRUE(s.umkehrfunktion_Farbe_test);
        EXPECT_EQ(s.Umkehrfunktion_Farbe, "8721863");
    }

    // The derivatives' lists end before "Magenta".
    s.FarbeBox_dritte_ableitung = "Magenta";
    EXPECT_FALSE(farbeGewaehlt(s, Farbliste::DritteAbleitung));
    EXPECT_TRUE(s.Ffarbe_dritte_ableitung_test);
    EXPECT_TRUE(s.Ffarbe_dritte_ableitung.empty());
    s.FarbeBox_zweite_ableitung = "Grün";
    EXPECT_EQ(farbeGewaehlt(s, Farbliste::ZweiteAbleitung), rgb(0, 139, 0));
    EXPECT_EQ(s.Ffarbe_zweite_ableitung, "35584");
    EXPECT_EQ(colourRows(Farbliste::Ableitung), 7u);
    EXPECT_EQ(colourRows(Farbliste::Umkehrfunktion), 8u);
}

TEST(WidthLists, StoreTheirNumber)
{
    State s;
    EXPECT_EQ(s.f_a2_linie_staerke, 0);  // untouched: not applied
    s.f_a2_linie_staerke_text = "5";
    breiteGewaehlt(s, Breitenliste::ZweiteAbleitung);
    EXPECT_EQ(s.f_a2_linie_staerke, 5);
    s.f_a2_linie_staerke_text = "fett";
    breiteGewaehlt(s, Breitenliste::ZweiteAbleitung);
    EXPECT_EQ(s.f_a2_linie_staerke, 5);
    EXPECT_EQ(s.f_a1_linie_staerke, 0);
}

TEST(AnalysisPanel, FieldsPassTheirTextsOn)
{
    State s;
    EXPECT_TRUE(s.x0_uebergabe.empty());  // nothing is passed on before a change
    s.x0_eingabe = "2,5";
    x0Geaendert(s);
    s.Linker_Bereich = "-3";
    linkerBereichGeaendert(s);
    s.Rechter_Bereich = "+u";
    rechterBereichGeaendert(s);
    EXPECT_EQ(s.x0_uebergabe, "2,5");
    EXPECT_EQ(s.Linker_Bereich_wert, "-3");
    EXPECT_EQ(s.Rechter_Bereich_wert, "+u");
}

TEST(AnalysisPanel, StepsAccumulateOnTheFieldText)
{
    test::RecordingUi ui;
    Context c{ui};
    mainPanelLoad(c);
    for (int i = 0; i < 10; ++i)
        tangentenSchritt(c, kTangentenSchritte[3]);
    EXPECT_EQ(c.s.x0_eingabe, "2");
    tangentenSchritt(c, kTangentenSchritte[1]);
    EXPECT_EQ(c.s.x0_uebergabe, "1,5");
    c.s.x0_eingabe = "1E-05";
    tangentenSchritt(c, kTangentenSchritte[0]);
    EXPECT_EQ(c.s.x0_eingabe, "-0,99999");
}

TEST(Extras, OddClicksShowEvenClicksHide)
{
    test::RecordingUi ui;
    Context c{ui};
    EXPECT_TRUE(extras(c));
    EXPECT_TRUE(c.s.form3_test);
    EXPECT_FALSE(extras(c));
    EXPECT_TRUE(extras(c));
    EXPECT_FALSE(extras(c));
    EXPECT_EQ(c.s.miCounter, 4);
}

}  // namespace
