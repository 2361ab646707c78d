#include "window/copy_values.h"

#include <string_view>

#include "text/html.h"
#include "text/tab_separated.h"
#include "window/control_help.h"
#include "window/controls.h"
#include "window/form_principale.h"

namespace idrovela::window {

namespace {

std::string CaptionOf(const TextBox& field) {
    return std::string(DesignOf(HelpOf(field.Name()).label).caption);
}

// The caption of the selected button of a group; the solve-mode buttons have none of their own,
// so theirs is what the button does.
std::string SelectedCaption(const OptionGroup& group) {
    for (const OptionButton* button : group.Buttons()) {
        if (button->Value()) {
            const std::string_view caption = DesignOf(button->Name()).caption;
            return std::string(caption.empty() ? HelpOf(button->Name()).accessibleName : caption);
        }
    }
    return {};
}

}  // namespace

std::vector<CopiedValue> ValuesToCopy(const Form_Principale& form,
                                      const std::optional<std::string>& otherFluid) {
    std::string fluid = SelectedCaption(form.FluidGroup);
    if (otherFluid && form.Option_FluidoX.Value()) {
        fluid += " (" + *otherFluid + ")";
    }
    return {
        {CaptionOf(form.Text_D), form.Text_D.Text()},
        {"Misura nominale [pollici]", form.Text_Pollici.Text()},
        {CaptionOf(form.Text_P), form.Text_P.Text()},
        {CaptionOf(form.Text_dT), form.Text_dT.Text()},
        {CaptionOf(form.Text_G), form.Text_G.Text()},
        {CaptionOf(form.Text_V), form.Text_V.Text()},
        {CaptionOf(form.Text_Y), form.Text_Y.Text()},
        {std::string(DesignOf("Frame1").caption), SelectedCaption(form.MaterialGroup)},
        {CaptionOf(form.Text_epsilon), form.Text_epsilon.Text()},
        {std::string(DesignOf("Frame2").caption), fluid},
        {CaptionOf(form.Text_Mu), form.Text_Mu.Text()},
        {CaptionOf(form.Text_Rho), form.Text_Rho.Text()},
        {"Modo di calcolo", SelectedCaption(form.SolveModeGroup)},
    };
}

std::string ValuesAsTabSeparated(const std::vector<CopiedValue>& values) {
    std::string lines;
    for (const CopiedValue& value : values) {
        lines += text::TabSeparatedCell(value.caption) + '\t' + text::TabSeparatedCell(value.text) +
                 '\n';
    }
    return lines;
}

std::string ValuesAsHtmlTable(const std::vector<CopiedValue>& values) {
    std::string html = "<table>\n";
    for (const CopiedValue& value : values) {
        html += "<tr><th align=\"left\">" + text::EscapeHtml(value.caption) +
                "</th><td align=\"right\">" + text::EscapeHtml(value.text) + "</td></tr>\n";
    }
    html += "</table>\n";
    return html;
}

}  // namespace idrovela::window
