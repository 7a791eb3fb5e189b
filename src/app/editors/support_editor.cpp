// The support editor's rules.
#include "app/editors/support_editor.h"

#include "base/number_text.h"
#include "l10n/string_table.h"
#include "port/user_port.h"

namespace vartesk {

std::string TFormPillar::CodeShown(const std::string &code)
{
    return code == kShifrAnchor || code == kShifrIntermediate ? std::string() : code;
}

void TFormPillar::LoadPillar(const TPillar &support)
{
    Nomer = support.Nomer;
    Shifr = CodeShown(support.Shifr);
    Prolet = FormatGeneral(support.Prolet);
    LoadedProletText = Prolet;
    LoadedProlet = support.Prolet;
    Coment = support.Coment;
    Visir = support.Visir;
    RezPic = support.RezPic;
    Tip_Opor = support.Tip_Opor;
    Ugol_grad = support.Ugol_grad;
    Ugol_min = support.Ugol_min;
    Ugol_sec = support.Ugol_sec;
    Ugol_napr = support.Ugol_napr;
    Picet1 = support.Picet1;
    Picet2 = support.Picet2;
    Ugol = support.Ugol;
    Insect = support.Insect;
}

double TFormPillar::Span() const
{
    return Prolet == LoadedProletText ? LoadedProlet : ParseNumberText(Prolet);
}

void TFormPillar::StorePillar(TPillar &support) const
{
    const double span = Span();

    support.Nomer = Nomer;
    if (!Shifr.empty())
        support.Shifr = Shifr;
    else if (Tip_Opor == TSupportType::Strain)
        support.Shifr = kShifrAnchor;
    else if (Tip_Opor == TSupportType::Intermediate)
        support.Shifr = kShifrIntermediate;
    else
        support.Shifr = "";
    support.Prolet = span;
    support.Coment = Coment;
    support.Visir = Visir;
    support.RezPic = RezPic;
    support.Tip_Opor = Tip_Opor;
    support.Ugol_grad = Ugol_grad;
    support.Ugol_min = Ugol_min;
    support.Ugol_sec = Ugol_sec;
    support.Picet1 = Picet1;
    support.Ugol_napr = Ugol_napr;
    support.Picet2 = Picet2;
    support.Ugol = Ugol;
    support.Insect = Insect;
}

std::string TFormPillar::Error() const
{
    if (Shifr == "0")
        return LocalString("code_support_could_not");
    if (Nomer.empty())
        return LocalString("number_not_indicated");
    // Checked here rather than when storing, so that a bad span never leaves a support half
    // changed.
    try {
        Span();
    } catch (const EConvertError &e) {
        return e.what();
    }
    return {};
}

bool TFormPillar::Validate(TMessages &messages) const
{
    const std::string error = Error();
    if (error.empty())
        return true;
    messages.Tell(TMessageKind::Error, error);
    return false;
}

TSupportEditorCaptions SupportEditorCaptions()
{
    TSupportEditorCaptions c;
    c.Window = LocalString("Supports");
    c.Cancel = LocalString("Cancel");
    c.SupportGroup = LocalString("Support");
    c.JournalGroup = LocalString("Supports_catalog");
    c.JournalNote = LocalString("could_unfilled");
    c.Nomer = LocalString("Number_support");
    c.Prolet = LocalString("Span_length");
    c.TipOpor = LocalString("Type_support");
    c.Types = {LocalString("Strain"), LocalString("Intermediate")};
    c.Visir = LocalString("Attested_span");
    c.VisirNote = LocalString("spans_requiring");
    c.Shifr = LocalString("Code_support");
    c.Ugol = LocalString("Number_angle");
    c.RezPic = LocalString("Picket");
    c.Picet1 = LocalString("Initial_picket");
    c.Picet1Unit = LocalString("hundreds");
    c.Picet2Unit = LocalString("m_cm");
    c.TurningAngle = LocalString("Turning_angle");
    c.Signs = {"+", "-"};
    c.DegreeSign = "°";
    c.MinuteSign = "'";
    c.SecondSign = "\"";
    c.Coment = LocalString("Note") + ":";
    c.Insect = LocalString("Number_crossing");
    return c;
}

} // namespace vartesk
