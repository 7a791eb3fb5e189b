// The catalog entry dialog: one wire, cable or cord entered or changed as the screen shows it.
#pragma once

#include "app/editors/number_input.h"
#include "catalog/wire_record.h"

#include <string>
#include <vector>

namespace vartesk {

class TMessages;

struct TWireEntryCaptions
{
    std::string Title;
    std::string WireBox;
    std::string Group;
    std::vector<std::string> Groups; // the groups 1..7, in list order
    std::string Type;
    std::string Diameter, DiameterUnit;
    std::string Section, SectionUnit;
    std::string Weight, WeightUnit;
    std::string Modulus, ModulusUnit; // daN/mm² or kN/mm², as the unit system shows moduli
    std::string ThermalCoef, ThermalCoefUnit;
    std::string Ok, Cancel;
};

TWireEntryCaptions WireEntryCaptions();

class TFormWiresEdit
{
public:
    static constexpr int kOthersPosition = 6; // "Others", group 7

    // Registers the dialog's own texts, as the window does when the program creates it.
    TFormWiresEdit();

    // Fills the fields from the entry: numbers in the general format, the modulus in the unit
    // shown. A group outside 1..7 (0 is "no group") shows "Others".
    void Load(const TWireRecord &rec);

    // The fields as the screen shows them.
    int GroupPosition = kOthersPosition; // 0..6 in the list, the group number less one
    std::string Name;
    std::string Diameter;
    std::string Section;
    std::string Weight;
    std::string Modulus;
    std::string ThermalCoef;

    // What the numeric fields take: digits, '-', '.' or ',' and an exponent, as the catalog
    // shows small coefficients (1.92E-5).
    static constexpr TNumberRule kNumberRule {.Exponent = true};
    // Whether a typed character reaches a numeric field (backspace does).
    static bool KeyAccepted(char32_t key) { return NumberKeyAccepted(key, kNumberRule); }

    // The diameter field after each change. A text that cannot become a number by typing on
    // ("9.6.", "--") is told at once as a data entry error; the text stays for the person to
    // mend. Half-typed numbers ("", "-", "9.", "1.9E-") are left alone.
    void DiameterEdited(const std::string &text, TMessages &messages);

    // OK: converts every field, first the name, then the numbers in screen order; the first
    // failure is told as an error and gives false, leaving Result() as it was. A name that is
    // empty or holds ';' or a line break is refused, as the text export could not carry it
    // back. Each number whose text is still the one Load showed keeps the loaded value to the
    // last bit, so that confirming a dialog unchanged never rounds an entry (the modulus in
    // kN/mm² above all); other texts are read with either decimal separator, the modulus
    // divided by the force factor.
    bool Accept(TMessages &messages);

    // The entry as the last successful Accept made it.
    TWireRecord Result() const { return Accepted; }

private:
    TWireRecord Loaded;
    // What Load put into the numeric fields, in the order of kNumberFields.
    std::vector<std::string> Shown;
    TWireRecord Accepted;
};

} // namespace vartesk
