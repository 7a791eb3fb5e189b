// vartesk new, info and resave: project files from the command line.
#include "base/number_text.h"
#include "cli/catalog_option.h"
#include "cli/command.h"
#include "cli/desktop_open.h"
#include "cli/project_loading.h"
#include "l10n/string_table.h"
#include "l10n/unit_labels.h"
#include "l10n/units.h"
#include "model/project.h"
#include "model/projectfile/project_file.h"
#include "model/support_type_name.h"

#include <filesystem>
#include <ostream>

namespace vartesk::cli {

namespace {

int RunNew(TCommandContext &c)
{
    const bool force = c.Args.TakeFlag("--force");
    const auto args = c.Args.Positional(1, 1);
    TProject project;
    // Checked by the write itself, so that no file appearing meanwhile is replaced either. A
    // dangling link counts as free: the write creates the file it names.
    try {
        SaveProjectFile(args[0], project, force ? TWriteMode::Replace : TWriteMode::CreateNew);
    } catch (const EFileExists &) {
        throw std::runtime_error(args[0] + " already exists; use --force to replace it");
    }
    OpenIfAsked(c.Global, args[0], c.Err);
    return 0;
}

int RunResave(TCommandContext &c)
{
    const auto args = c.Args.Positional(2, 2);
    TProject project;
    LoadProject(args[0], project, c.Err);
    SaveProjectFile(args[1], project);
    OpenIfAsked(c.Global, args[1], c.Err);
    return 0;
}

// A caption as a label: without its own colon and line breaks.
std::string Label(const char *key)
{
    std::string text = LocalString(key);
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.replace(at, 2, " ");
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string Num(double v)
{
    return FormatGeneral(v);
}

void PrintLimits(std::ostream &out,
                 const std::string &type,
                 int mode,
                 double sMax,
                 double sAvg,
                 double tMax,
                 double tAvg)
{
    out << "    " << Label("Type") << ": " << type << "; ";
    // The keys are named crosswise, as the section editor's tabs use them: the text of
    // `Tension` is the word for stress, that of `Stress` the word for tension.
    if (mode == 1)
        out << Label("Stress") << " max " << Num(tMax * ForceFactor()) << " / avg "
            << Num(tAvg * ForceFactor()) << " " << ForceUnitLabel() << "\n";
    else
        out << Label("Tension") << " max " << Num(sMax * StressFactor()) << " / avg "
            << Num(sAvg * StressFactor()) << " " << StressUnitLabel() << "\n";
}

int RunInfo(TCommandContext &c)
{
    const auto args = c.Args.Positional(1, 1);
    TProject project;
    LoadProject(args[0], project, c.Err);
    WarnAboutProject(project, c.Err);
    UseCatalogFor(c.Global, c.Err);
    WarnAboutSags(project, c.Err);
    auto &out = c.Out;
    const TKlimat &k = project.Klimat;
    const std::string mm = LocalString("mm");
    const std::string ms = LocalString("ms");
    out << Label("Climatic_conditions") << ":\n";
    out << "  " << Label("Ice") << ": " << Num(k.Tols) << " " << mm << "\n";
    out << "  " << Label("Wind_velocity") << ": max " << Num(k.VMax) << " " << ms << ", "
        << Label("In_case_of_ice") << " " << Num(k.Vwetsg) << " " << ms << "\n";
    out << "  " << Label("Temperature") << ", C: min " << Num(k.TMin) << ", max " << Num(k.TMax)
        << ", " << Label("Ice_without_wind") << " " << Num(k.Tgbw) << ", " << Label("Ice_with_wind")
        << " " << Num(k.TGsw) << ", " << Label("Average_annual") << " " << Num(k.Tsrec) << "\n";
    const TKlimatKoef &f = project.KlimatKoef;
    out << Label("Climatic_param_title") << ":\n";
    out << "  " << Label("Type_of_terrain") << ": " << f.TypeTerText() << "; "
        << LocalString("Cli_heights") << ": " << f.visotaPC << " / " << f.visotaPC_tros << " "
        << LocalString("meter") << "\n";
    out << "  " << Label("Windloads") << ": " << Num(f.V_Otv) << " " << Num(f.V_Reg) << " "
        << Num(f.V_Nad) << "; " << Label("Iceloads") << ": " << Num(f.G_Otv) << " " << Num(f.G_Reg)
        << " " << Num(f.G_Nad) << " " << Num(f.G_Usl) << "\n";
    if (!f.CoefsValid())
        out << "  " << LocalString("Reference_loads") << "\n";
    if (project.VMData.IsVibroMuffles)
        out << Label("Vibration_dampers") << ": " << Label("Number_category") << " "
            << project.VMData.NumbCat << (project.VMData.IsNord ? ", Nord" : "") << "\n";
    out << Label("Sectors") << ": " << project.Parcels.Count() << "\n";
    for (int i = 0; i < project.Parcels.Count(); ++i) {
        const TParcel &p = project.Parcels.Get(i);
        out << "  " << i + 1 << ". " << p.Name << "\n";
        if (p.IsProvod) {
            out << "    " << Label("Wire") << "\n";
            PrintLimits(out, p.Provod, p.TagMode, p.Napr_max, p.Napr_srg, p.Tag_max, p.Tag_srg);
        }
        if (p.IsTros) {
            out << "    " << Label("Cord") << "\n";
            PrintLimits(out, p.Tros, p.TagModet, p.Naprt_max, p.Naprt_srg, p.Tagt_max, p.Tagt_srg);
        }
        double length = 0;
        for (const auto &s : p.Pillars) {
            out << "      " << s->Nomer.str() << "\t" << s->Shifr.str() << "\t"
                << SupportTypeName(s->Tip_Opor) << "\t" << Num(s->Prolet) << " "
                << LocalString("meter") << (s->Visir ? "\tV" : "")
                << (s->Ugol.empty() ? "" : "\t" + s->Ugol.str())
                << (s->Coment.empty() ? "" : "\t" + s->Coment.str()) << "\n";
            length += s->Prolet;
        }
        out << "    " << Label("Supports") << ": " << p.Pillars.Count() << "; "
            << LocalString("Cli_length") << " " << Num(length) << " " << LocalString("meter")
            << "\n";
    }
    return 0;
}

const TCommandRegistrar kNew {{
    "new",
    "write a fresh project",
    "Usage: vartesk new [--force] OUT.vsk\n\nWrites an empty project with the default climate and\n"
    "coefficients. An existing OUT is refused unless --force is given.\n",
    RunNew,
}};

const TCommandRegistrar kInfo {{
    "info",
    "show a project: climate, coefficients, sections, supports",
    "Usage: vartesk info PROJECT.vsk\n\nShows the climate, the coefficients and every section\n"
    "with its wire, cord and supports, in the language and units of --lang and --units.\n"
    "Doubtful values of the project (a negative span, say) are warned about on stderr.\n",
    RunInfo,
}};

const TCommandRegistrar kResave {{
    "resave",
    "read a project of either layout and write the current one",
    "Usage: vartesk resave IN.vsk OUT.vsk\n\nReads the current or the older layout and writes\n"
    "the current one. OUT is replaced only when it is completely written.\n",
    RunResave,
}};

} // namespace

} // namespace vartesk::cli
