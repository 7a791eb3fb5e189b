// The support editor: its inputs, picket enabling, validation and copying to and from a support.
#pragma once

#include "app/editors/number_input.h"
#include "model/pillar.h"

#include <array>
#include <cstdint>
#include <string>

namespace vartesk {

class TMessages;

class TFormPillar
{
public:
    // The whole-number inputs (picket hundreds, degrees, minutes, seconds) go up to 1000.
    static constexpr int kWholeMin = 0;
    static constexpr int kWholeMax = 1000;
    // The picket's metres: -1000..1000 with 2 decimals.
    static constexpr double kPicet2Min = -1000;
    static constexpr double kPicet2Max = 1000;
    static constexpr int kPicet2Decimals = 2;
    // What the number inputs take as they are typed.
    static constexpr TNumberRule kSpanRule {};
    static constexpr TNumberRule kWholeRule {kWholeMin, kWholeMax, 0};
    static constexpr TNumberRule kPicet2Rule {kPicet2Min, kPicet2Max, kPicet2Decimals};

    // The inputs as the screen shows them. The texts hold what was typed; storing cuts them to
    // the support's capacities.
    std::string Nomer;
    std::string Prolet; // the span as text, "." or "," as decimal separator
    // 0 strain, 1 intermediate. Another type read from a file (dead-end) shows neither choice
    // and stays as it is unless the person picks one.
    TSupportType Tip_Opor = TSupportType::Strain;
    bool Visir = false;
    std::string Shifr; // empty for the codes that only follow the type
    std::string Ugol;
    bool RezPic = false;
    int Picet1 = 0;
    double Picet2 = 0;
    // 0 "+", 1 "-"; another stored value shows neither sign and is kept.
    std::uint16_t Ugol_napr = 0;
    int Ugol_grad = 0;
    int Ugol_min = 0;
    int Ugol_sec = 0;
    std::string Coment;
    std::string Insect;

    // The code input's text for a stored code: empty for the codes that only follow the type.
    static std::string CodeShown(const std::string &code);

    void LoadPillar(const TPillar &support);
    // Copies the inputs into the support. Call it only after Accept gave true: a span text
    // that does not convert raises EConvertError before anything is changed.
    void StorePillar(TPillar &support) const;
    // The checks of OK in order: the code "0", an empty number, a span that is not a number.
    // The first that fails shows its error box and gives false.
    bool Validate(TMessages &messages) const;
    // The message of the first check that fails, or empty when all pass.
    std::string Error() const;
    // What OK does; the window closes either way, as Cancel when this gives false.
    bool Accept(TMessages &messages) { return Validate(messages); }

    void ClickRezPic(bool checked) { RezPic = checked; }
    // The two picket inputs.
    bool PicketEditable() const { return RezPic; }

private:
    // The span as loaded: a text left as shown gives back the value to the last bit, although
    // the general form holds only 15 significant digits.
    std::string LoadedProletText;
    double LoadedProlet = 0;

    double Span() const;
};

struct TSupportEditorCaptions
{
    std::string Window; // "Supports"
    std::string Cancel;
    std::string SupportGroup; // "Support"
    std::string JournalGroup; // "Journal of supports"
    std::string JournalNote; // "(could be left unfilled)"
    std::string Nomer;
    std::string Prolet;
    std::string TipOpor;
    std::array<std::string, 2> Types; // strain, intermediate
    std::string Visir;
    std::string VisirNote; // "(spans requiring sag control)"
    std::string Shifr;
    std::string Ugol;
    std::string RezPic;
    std::string Picet1;
    std::string Picet1Unit; // "hundreds of m"
    std::string Picet2Unit; // "m, cm"
    std::string TurningAngle;
    std::array<std::string, 2> Signs; // "+", "-"
    std::string DegreeSign;
    std::string MinuteSign;
    std::string SecondSign;
    std::string Coment; // "Note:"
    std::string Insect;
};

// The captions in the current language.
TSupportEditorCaptions SupportEditorCaptions();

} // namespace vartesk
