// The section editor: its inputs, enabling rules, validation and copying to and from a section.
#pragma once

#include "app/editors/number_input.h"

#include <array>
#include <string>

namespace vartesk {

class TFormWiresBase;
class TMessages;
class TParcel;
struct TAppPort;

// One over-tensioning group (wire or cord): which of the five materials is chosen and the
// percentage of each. Materials are numbered 1..5 as in the section (1 steel, 2 steel and
// aluminium, 3 aluminium, 4 Kevlar-49 or fibreglass, 5 Kevlar-29); 0 is none chosen.
struct TStretchGroup
{
    static constexpr int kMaterials = 5;
    // The percentage inputs take whole percents from 0 to 100 in steps of 1: the section keeps
    // an integer, and the allowances in use are a few percent.
    static constexpr int kPercentMin = 0;
    static constexpr int kPercentMax = 100;
    static constexpr int kPercentStep = 1;

    int Material = 0;
    std::array<int, kMaterials> Percent {3, 5, 7, 10, 12};
    // Changed only by loading and by the click handlers of TFormParcel; index k-1 is material k.
    std::array<bool, kMaterials> PercentEditable {};

    // The percentage of the chosen material; 0 when none is chosen.
    int ChosenPercent() const { return Material >= 1 ? Percent[Material - 1] : 0; }
    void MakePercentsReadOnly() { PercentEditable.fill(false); }
};

class TFormParcel
{
public:
    // The limit inputs and the insulator-string inputs: 2 decimals, step 0.5.
    static constexpr int kDecimals = 2;
    static constexpr double kStep = 0.5;
    // The insulator-string inputs' range.
    static constexpr double kInsulatorMin = -1000;
    static constexpr double kInsulatorMax = 1000;
    // The limits have no bounds of their own: whether a value makes sense is Validate's and
    // the plausibility check's to say.
    static constexpr double kLimitBound = 1e9;
    static constexpr TNumberRule kLimitRule {-kLimitBound, kLimitBound, kDecimals};
    static constexpr TNumberRule kInsulatorRule {kInsulatorMin, kInsulatorMax, kDecimals};

    // The catalog window the two catalog buttons open for a choice.
    explicit TFormParcel(TFormWiresBase &catalog);

    // The inputs as the screen shows them; limits in display units.
    std::string Name;
    bool IsProvod = true;
    std::string Provod;
    int WireTab = 0; // 0 stresses, 1 tensions
    double seNapr_max = 0; // stress units
    double seNapr_srg = 0;
    double seTag_max = 0; // force units
    double seTag_srg = 0;
    bool IsTros = false;
    std::string Tros;
    int CordTab = 0;
    double seNaprt_max = 0;
    double seNaprt_srg = 0;
    double seTagt_max = 0;
    double seTagt_srg = 0;
    bool IsGis = false;
    double Ves_Gis = 0; // kg
    double Dlina_Gis = 0; // m
    double Raznost_H = 0; // m
    bool IsVitygka = false;
    // Material choices and percentages outlive a section: loading one without stretching
    // allowance leaves them as the editor last had them.
    TStretchGroup WireStretch;
    TStretchGroup CordStretch;

    // Fills the inputs from the section, converting the limits to the display units.
    void LoadParcel(const TParcel &section);
    // Copies every input into the section, editable or not, converting the limits back.
    void StoreParcel(TParcel &section) const;
    // The checks of OK in order; the first that fails shows its error box and gives false.
    bool Validate(TMessages &messages) const;
    // What OK does; the window stays open while it gives false.
    bool Accept(TMessages &messages) { return Validate(messages); }

    // The catalog buttons: a record chosen with a name becomes the wire or cord type.
    void ChooseWire(TAppPort &port);
    void ChooseCord(TAppPort &port);

    // Clicks on the four check boxes.
    void ClickIsProvod(bool checked);
    void ClickIsTros(bool checked);
    void ClickIsVitygka(bool checked);
    void ClickIsGis(bool checked);
    // A click on material k (1..5) of a group: only its percentage becomes editable.
    void ChooseWireMaterial(int k);
    void ChooseCordMaterial(int k);

    // Enabling rules.
    // Wire type, its catalog button, its limits tab and four limit inputs.
    bool WireEditable() const { return IsProvod; }
    bool CordEditable() const { return IsTros; }
    bool WireMaterialEditable() const { return IsVitygka && IsProvod; }
    bool CordMaterialEditable() const { return IsVitygka && IsTros; }
    // Weight and length of the insulator string and the height difference.
    bool InsulatorEditable() const { return IsGis; }
    bool WirePercentEditable(int k) const;
    bool CordPercentEditable(int k) const;

private:
    // A limit as shown and the internal value it was shown from, so that a value shown in
    // kN or N/mm2 and left alone goes back to the last bit.
    struct TShownLimit
    {
        double Shown = 0;
        double Internal = 0;
    };
    static double Stored(double shown, const TShownLimit &loaded, double factor);

    TFormWiresBase &Catalog;
    std::array<TShownLimit, 8> Loaded {};
};

struct TSectionEditorCaptions
{
    std::string Window; // "Sector"
    std::string Cancel;
    std::string Name; // "Name of sector:"
    std::string IsProvod; // "Wire (cable)"
    std::string Provod; // "Type of wire:"
    std::string StressTab;
    std::string TensionTab;
    std::string MaxStress;
    std::string AvgStress;
    std::string MaxTension;
    std::string AvgTension;
    std::string StressUnit; // "daN/mm²" or "N/mm²"
    std::string ForceUnit; // "daN" or "kN"
    std::string IsTros;
    std::string Tros;
    std::string IsGis;
    std::string VesGis;
    std::string DlinaGis;
    std::string RaznostH;
    std::string KgUnit;
    std::string MeterUnit;
    std::string IsVitygka;
    std::string WireGroup; // the over-tensioning groups
    std::string CordGroup;
    std::string Material;
    std::string Overdraw;
    std::array<std::string, TStretchGroup::kMaterials> Materials; // material 1..5
};

// The captions in the current language and unit system.
TSectionEditorCaptions SectionEditorCaptions();

} // namespace vartesk
